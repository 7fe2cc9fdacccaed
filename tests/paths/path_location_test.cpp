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
    ASSERT_TRUE(location_.PositionPath().SetKeys({vec3(0, 0, 0), vec3(10, 0, 0), vec3(10, 30, 0)}, {0, 10, 40}));
    location_.Orientations() = {AboutZ(0.0f), AboutZ(1.0f), AboutZ(2.0f)};
    ASSERT_TRUE(location_.RotationPath().SetKeys({Key1(0.0f), Key1(1.0f), Key1(2.0f)}, {0, 10, 40}));
    location_.Reset();
  }
  void TearDown() override { SetPathStep(0.0f); }
  void Step(float step) {
    SetPathStep(step);
    location_.Update();
  }
  PathLocation location_;
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
  EXPECT_TRUE(location_.Position()[0] == 10.0f && location_.Position()[1] == 0.0f);
  EXPECT_NEAR(AngleAboutZ(location_.Orientation()), 1.0f, 1e-6f);
  Step(15.0f);  // halfway through the second segment in time
  EXPECT_EQ(location_.Position()[1], location_.PositionPath().ValueAt(1.5f)[1]);
  float index = location_.RotationPath().Value()[0];
  EXPECT_TRUE(index > 1.0f && index < 2.0f);
  EXPECT_NEAR(AngleAboutZ(location_.Orientation()), index, 1e-5f);
  Step(100.0f);  // past the end: the last orientation itself
  EXPECT_TRUE(location_.Orientation().w == location_.Orientations()[2].w && location_.Orientation().z == location_.Orientations()[2].z);
  EXPECT_EQ(location_.Position()[1], 30.0f);
}

TEST_F(PathLocationTest, ResetRewindsBothTracksAndShortListsStopAtTheirLastEntry) {
  Step(25.0f);
  location_.Reset();
  Step(0.0f);
  EXPECT_EQ(location_.Position()[0], 0.0f);
  EXPECT_NEAR(AngleAboutZ(location_.Orientation()), 0.0f, 1e-7f);
  location_.Orientations().pop_back();
  Step(40.0f);
  EXPECT_NEAR(AngleAboutZ(location_.Orientation()), 1.0f, 1e-6f);
  location_.Orientations().clear();
  Quaternion before = location_.Orientation();
  location_.Update();
  EXPECT_EQ(location_.Orientation().z, before.z);
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
