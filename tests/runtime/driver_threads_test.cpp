// llvmpipe's thread count: one above the processors where unset, the user's own otherwise.
#include "runtime/driver_threads.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace {

struct Case {
  const char* set;  // null: unset
  std::string expected;
};

TEST(DriverThreads, ChosenOnlyWhereTheUserDidNot) {
  const Case cases[] = {
      {nullptr, std::to_string(sysconf(_SC_NPROCESSORS_ONLN) + 1)},
      {"1", "1"},
      {"7", "7"},
      {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.set ? c.set : "unset");
    if (c.set) {
      setenv("LP_NUM_THREADS", c.set, 1);
    } else {
      unsetenv("LP_NUM_THREADS");
    }
    const char* returned = ChooseDriverThreads();
    ASSERT_NE(returned, nullptr);
    EXPECT_EQ(returned, c.expected);
    EXPECT_EQ(std::getenv("LP_NUM_THREADS"), c.expected);
  }
  unsetenv("LP_NUM_THREADS");
}

}  // namespace
