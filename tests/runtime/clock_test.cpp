#include "runtime/clock.h"

#include <gtest/gtest.h>

TEST(FixedStepClock, AdvancesOneStepPerPresentedFrame) {
  FixedStepClock clock(50);
  EXPECT_EQ(clock.Read(), 0.0);
  for (int i = 0; i < 25; ++i) clock.FramePresented();
  EXPECT_DOUBLE_EQ(clock.Read(), 0.5);
  clock.Reset();
  EXPECT_EQ(clock.Read(), 0.0);
  clock.FramePresented();
  EXPECT_DOUBLE_EQ(clock.Read(), 0.02);
  EXPECT_DOUBLE_EQ(clock.Read(), 0.02) << "reading changes nothing";
}

TEST(RealTimeClock, StartsNearZeroAndNeverGoesBack) {
  RealTimeClock clock;
  clock.Reset();
  const double a = clock.Read();
  EXPECT_GE(a, 0.0);
  EXPECT_LT(a, 1.0);
  EXPECT_GE(clock.Read(), a);
}

TEST(TheClock, InstalledClockIsTheOneRead) {
  InstallClock(std::make_unique<FixedStepClock>(10));
  TheClock().FramePresented();
  EXPECT_DOUBLE_EQ(TheClock().Read(), 0.1);
  InstallClock(std::make_unique<RealTimeClock>());
}
