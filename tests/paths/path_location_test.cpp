// Path locations stepping their two tracks together.
#include "paths/path_location.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using vec3 = vec<float, 3>;
using Key1 = vec<float, 1>;

Quaternion AboutZ(float angle) { return QuaternionFromAxisAngle(vec3(0, 0, 1), angle); }

// The list holds turns about z by 0, 1 and 2 radians, so the angle equals the fractional index.
float AngleAboutZ(const Quaternion& q) {
  EXPECT_NEAR(q.x, 0.0f, 1e-7f);
  EXPECT_NEAR(q.y, 0.0f, 1e-7f);
  return 2 * std::atan2(q.z, q.w);
}

// Keys at frames 0, 10 and 40; each test leaves the shared step at zero.
class PathLocationTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(l.PositionPath().SetKeys({vec3(0, 0, 0), vec3(10, 0, 0), vec3(10, 30, 0)}, {0, 10, 40}));
    l.Orientations() = {AboutZ(0.0f), AboutZ(1.0f), AboutZ(2.0f)};
    ASSERT_TRUE(l.RotationPath().SetKeys({Key1(0.0f), Key1(1.0f), Key1(2.0f)}, {0, 10, 40}));
    l.Reset();
  }
  void TearDown() override { SetPathStep(0.0f); }
  void Step(float step) {
    SetPathStep(step);
    l.Update();
  }
  PathLocation l;
};

TEST_F(PathLocationTest, StartsWithEmptyInvalidTracks) {
  PathLocation fresh(vec3(1, 2, 3));
  EXPECT_TRUE(!fresh.PositionPath().IsValid() && !fresh.RotationPath().IsValid() && fresh.Orientations().empty());
  Quaternion before = fresh.Orientation();
  SetPathStep(5.0f);
  fresh.Update();
  EXPECT_EQ(fresh.Position()[0], 1.0f);
  EXPECT_EQ(fresh.Orientation().w, before.w);
}

TEST_F(PathLocationTest, UpdateFollowsBothTracksByTheSharedStep) {
  Step(10.0f);
  EXPECT_TRUE(l.Position()[0] == 10.0f && l.Position()[1] == 0.0f);
  EXPECT_NEAR(AngleAboutZ(l.Orientation()), 1.0f, 1e-6f);
  Step(15.0f);  // halfway through the second segment in time
  EXPECT_EQ(l.Position()[1], l.PositionPath().ValueAt(1.5f)[1]);
  float index = l.RotationPath().Value()[0];
  EXPECT_TRUE(index > 1.0f && index < 2.0f);
  EXPECT_NEAR(AngleAboutZ(l.Orientation()), index, 1e-5f);
  Step(100.0f);  // past the end: the last orientation itself
  EXPECT_TRUE(l.Orientation().w == l.Orientations()[2].w && l.Orientation().z == l.Orientations()[2].z);
  EXPECT_EQ(l.Position()[1], 30.0f);
}

TEST_F(PathLocationTest, ResetRewindsBothTracksAndShortListsStopAtTheirLastEntry) {
  Step(25.0f);
  l.Reset();
  Step(0.0f);
  EXPECT_EQ(l.Position()[0], 0.0f);
  EXPECT_NEAR(AngleAboutZ(l.Orientation()), 0.0f, 1e-7f);
  l.Orientations().pop_back();
  Step(40.0f);
  EXPECT_NEAR(AngleAboutZ(l.Orientation()), 1.0f, 1e-6f);
  l.Orientations().clear();
  Quaternion before = l.Orientation();
  l.Update();
  EXPECT_EQ(l.Orientation().z, before.z);
}

TEST(PathLocation, NormalizeScalesTheOrientationToUnitLength) {
  PathLocation l;
  l.Orientations() = {{2.0f, 0.0f, 0.0f, 2.0f}};
  ASSERT_TRUE(l.RotationPath().SetKeys({Key1(0.0f)}, {0.0f}));
  l.Update();
  EXPECT_EQ(l.Orientation().w, 2.0f);
  l.Normalize();
  EXPECT_FLOAT_EQ(l.Orientation().w, std::sqrt(0.5f));
  EXPECT_FLOAT_EQ(l.Orientation().z, std::sqrt(0.5f));
}

}  // namespace
