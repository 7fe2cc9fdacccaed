#include "runtime/options.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

Options Parse(std::vector<const char*> args, bool expectOk = true) {
  args.insert(args.begin(), "demo");
  Options o;
  std::string error;
  EXPECT_EQ(ParseCommandLine(static_cast<int>(args.size()), args.data(), &o, &error), expectOk) << error;
  return o;
}

TEST(Options, NosoundOnlyAsTheFirstArgumentInAnyCaseOthersIgnored) {
  EXPECT_FALSE(Parse({"-nosound"}).sound);
  EXPECT_FALSE(Parse({"-NOSOUND"}).sound);
  EXPECT_FALSE(Parse({"-NoSound", "--window"}).sound);
  for (auto args : std::vector<std::vector<const char*>>{{}, {"--window", "-nosound"}, {"-nosoundx"}, {"nosound"}})
    EXPECT_TRUE(Parse(args).sound);
  const Options o = Parse({"whatever", "-x", "42"});
  EXPECT_TRUE(o.sound);
  EXPECT_FALSE(o.windowed);
  EXPECT_EQ(o.fps, 0);
}

TEST(Options, LongOptions) {
  const Options o = Parse({"-nosound", "--window", "--fps", "50", "--frames", "out", "--seed", "7", "--frame-log"});
  EXPECT_FALSE(o.sound);
  EXPECT_TRUE(o.windowed);
  EXPECT_EQ(o.fps, 50);
  EXPECT_EQ(o.framesDir, "out");
  EXPECT_TRUE(o.seeded);
  EXPECT_EQ(o.seed, 7u);
  EXPECT_TRUE(o.frameLog);
  EXPECT_TRUE(Parse({"--help"}).help);
}

TEST(Options, MalformedOptionsAreRefused) {
  for (auto args : std::vector<std::vector<const char*>>{
           {"--fps"}, {"--fps", "0"}, {"--fps", "-3"}, {"--fps", "12x"}, {"--seed", "99999999999"}, {"--frames"}, {"--bogus"}})
    Parse(args, false);
}

}  // namespace
