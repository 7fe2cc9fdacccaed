#include "paths/path_location.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/paths/glm_peer.h"

namespace {

using vec3 = vec<float, 3>;
using Key1 = vec<float, 1>;

Quaternion AboutZ(float angle) { return QuaternionFromAxisAngle(vec3(0, 0, 1), angle); }

// Keys at frames 0, 10 and 40: a position track and three orientations.
PathLocation Animated() {
  PathLocation l;
  EXPECT_TRUE(l.PositionPath().SetKeys({vec3(0, 0, 0), vec3(10, 0, 0), vec3(10, 30, 0)}, {0, 10, 40}));
  l.Orientations() = {AboutZ(0.0f), AboutZ(1.0f), AboutZ(2.0f)};
  EXPECT_TRUE(l.RotationPath().SetKeys({Key1(0.0f), Key1(1.0f), Key1(2.0f)}, {0, 10, 40}));
  l.Reset();
  return l;
}

TEST(PathLocation, StartsWithEmptyInvalidTracks) {
  PathLocation l(vec3(1, 2, 3));
  EXPECT_FALSE(l.PositionPath().IsValid());
  EXPECT_FALSE(l.RotationPath().IsValid());
  EXPECT_TRUE(l.Orientations().empty());
  Quaternion before = l.Orientation();
  SetPathStep(5.0f);
  l.Update();
  EXPECT_EQ(l.Position()[0], 1.0f);
  EXPECT_EQ(l.Orientation().w, before.w);
  SetPathStep(0.0f);
}

// The list holds turns about z by 0, 1 and 2 radians, so the slerped
// orientation's angle equals the fractional index.
float AngleAboutZ(const Quaternion& q) {
  EXPECT_NEAR(q.x, 0.0f, 1e-7f);
  EXPECT_NEAR(q.y, 0.0f, 1e-7f);
  return 2 * std::atan2(q.z, q.w);
}

TEST(PathLocation, UpdateFollowsBothTracksByTheSharedStep) {
  PathLocation l = Animated();
  SetPathStep(10.0f);
  l.Update();
  EXPECT_EQ(l.Position()[0], 10.0f);
  EXPECT_EQ(l.Position()[1], 0.0f);
  EXPECT_NEAR(AngleAboutZ(l.Orientation()), 1.0f, 1e-6f);

  SetPathStep(15.0f);
  l.Update();  // halfway through the second segment in time
  EXPECT_EQ(l.PositionPath().Parameter(), 1.5f);
  vec3 expected = l.PositionPath().ValueAt(1.5f);
  EXPECT_EQ(l.Position()[1], expected[1]);
  EXPECT_GT(l.Position()[1], 0.0f);
  EXPECT_LT(l.Position()[1], 30.0f);
  float index = l.RotationPath().Value()[0];
  EXPECT_GT(index, 1.0f);
  EXPECT_LT(index, 2.0f);
  EXPECT_NEAR(AngleAboutZ(l.Orientation()), index, 1e-5f);

  SetPathStep(100.0f);
  l.Update();  // past the end: the last orientation itself
  EXPECT_EQ(l.Orientation().w, l.Orientations()[2].w);
  EXPECT_EQ(l.Orientation().z, l.Orientations()[2].z);
  EXPECT_EQ(l.Position()[1], 30.0f);
  SetPathStep(0.0f);
}

TEST(PathLocation, ResetRewindsBothTracks) {
  PathLocation l = Animated();
  SetPathStep(25.0f);
  l.Update();
  l.Reset();
  SetPathStep(0.0f);
  l.Update();
  EXPECT_EQ(l.Position()[0], 0.0f);
  EXPECT_NEAR(AngleAboutZ(l.Orientation()), 0.0f, 1e-7f);
}

TEST(PathLocation, IndicesBeyondAShortListStopAtItsLastEntry) {
  PathLocation l = Animated();
  l.Orientations().pop_back();
  SetPathStep(40.0f);
  l.Update();
  EXPECT_NEAR(AngleAboutZ(l.Orientation()), 1.0f, 1e-6f);
  l.Orientations().clear();
  Quaternion before = l.Orientation();
  l.Update();
  EXPECT_EQ(l.Orientation().z, before.z);
  SetPathStep(0.0f);
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
  EXPECT_NEAR(AngleAboutZ(l.Orientation()), 1.5707964f, 1e-6f);
}

}  // namespace
