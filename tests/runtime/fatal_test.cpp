#include "runtime/fatal.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Fatal, ZeroStatusShowsTheBoxAndReturns) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(FatalError(0, "Demo datafile '%s' not found!", "demo.dat"), 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Demo datafile 'demo.dat' not found!\nError\n");
}

TEST(Fatal, LongMessagesAreShownWhole) {
  const std::string word(250, 'x');
  const ExitHandler old = SetExitHandler([](int status) { throw status; });
  testing::internal::CaptureStderr();
  int status = 0;
  try {
    FatalError(1, "%s|%s|%d", word.c_str(), word.c_str(), 12345);
  } catch (int s) {
    status = s;
  }
  SetExitHandler(old);
  EXPECT_EQ(status, 1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), word + "|" + word + "|12345\nError\n");
}

TEST(Fatal, EndsTheProcessWithTheStatus) {
  EXPECT_EXIT(FatalError(1, "Unable to initialize SDL: %s", "no video"), testing::ExitedWithCode(1),
              "Unable to initialize SDL: no video\nError");
  EXPECT_EXIT(FatalError(-1, "bad"), testing::ExitedWithCode(255), "bad");
}

}  // namespace
