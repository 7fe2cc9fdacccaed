#include "paths/location.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <random>
#include <vector>

#include "tests/paths/glm_peer.h"

namespace {

using vec3 = vec<float, 3>;

void ExpectNear(const glm::vec3& actual, const glm::vec3& expected, float tolerance) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

void ExpectSameRotation(const Quaternion& actual, const glm::quat& expected, float tolerance) {
  glm::mat3 a = LocalToWorld(actual), b = glm::mat3_cast(expected);
  for (int c = 0; c < 3; ++c) ExpectNear(a[c], b[c], tolerance);
}

glm::vec3 LookDirection(const DirectedLocation& l) { return LocalToWorld(l.Orientation()) * glm::vec3(0, 0, -1); }
glm::vec3 UpDirection(const DirectedLocation& l) { return LocalToWorld(l.Orientation()) * glm::vec3(0, 1, 0); }

float Norm(const Quaternion& q) { return std::sqrt(Dot(q, q)); }

std::vector<glm::mat4> captured;
void Capture(const float* m) { captured.push_back(glm::make_mat4(m)); }

TEST(DirectedLocation, DefaultLooksAlongPlusZWithYUp) {
  DirectedLocation l;
  ExpectNear(LookDirection(l), glm::vec3(0, 0, 1), 1e-6f);
  ExpectNear(UpDirection(l), glm::vec3(0, 1, 0), 1e-6f);
  EXPECT_EQ(l.Up()[1], 1.0f);
}

TEST(DirectedLocation, PositionConstructorsLookAtTheWorldPointZPlusOne) {
  ExpectNear(LookDirection(DirectedLocation(0, 0, -5)), glm::vec3(0, 0, 1), 1e-6f);
  ExpectNear(LookDirection(DirectedLocation(vec3(3, 0, 1))), glm::vec3(-1, 0, 0), 1e-6f);
}

TEST(DirectedLocation, TargetConstructorKeepsUpAsGiven) {
  DirectedLocation l(vec3(1, 1, 1), vec3(1, 1, -9), vec3(0, 2, 0));
  EXPECT_EQ(l.Up()[1], 2.0f);
  ExpectNear(LookDirection(l), glm::vec3(0, 0, -1), 1e-6f);
  ExpectNear(UpDirection(l), glm::vec3(0, 1, 0), 1e-6f);
  l.SetUp(vec3(0, 0, 3));
  EXPECT_EQ(l.Up()[2], 1.0f);
}

TEST(DirectedLocation, SetDirectionLooksAlongItWithProjectedUp) {
  // The construction takes square roots of a + sqrt(a^2 + b^2), which cancels
  // when a < 0; in float that costs up to a few 1e-3 for some directions.
  const float tolerance = 1e-2f;
  std::mt19937 random(11);
  std::normal_distribution<float> gauss;
  DirectedLocation l;
  for (int i = 0; i < 3000; ++i) {
    glm::vec3 up = glm::normalize(glm::vec3(gauss(random), gauss(random), gauss(random)));
    glm::vec3 direction(gauss(random), gauss(random), gauss(random));
    if (i % 3 == 1) direction = up * (i % 2 ? 5.0f : -5.0f) + direction * 0.005f;  // about 1e-3 off the axis
    l.SetUp(FromGlm(up));
    l.SetDirection(FromGlm(direction), 0.0f);
    glm::vec3 look = glm::normalize(direction);
    glm::vec3 projected_up = glm::normalize(up - look * glm::dot(up, look));
    ASSERT_NEAR(Norm(l.Orientation()), 1.0f, tolerance) << i;
    ASSERT_LT(glm::length(LookDirection(l) - look), tolerance) << i;
    ASSERT_LT(glm::length(UpDirection(l) - projected_up), tolerance) << i;
  }
}

TEST(DirectedLocation, DirectionAlongUpStillGivesAFrame) {
  DirectedLocation l;
  for (glm::vec3 up : {glm::vec3(0, 1, 0), glm::vec3(1, 0, 0), glm::vec3(0, 0, 1), glm::vec3(0.6f, 0, 0.8f)}) {
    for (float sign : {1.0f, -1.0f}) {
      l.SetUp(FromGlm(up));
      l.SetDirection(FromGlm(up * sign * 2.0f), 0.0f);
      EXPECT_NEAR(Norm(l.Orientation()), 1.0f, 1e-6f);
      ExpectNear(LookDirection(l), up * sign, 1e-6f);
      EXPECT_NEAR(glm::dot(UpDirection(l), up), 0.0f, 1e-6f);
    }
  }
}

TEST(DirectedLocation, ZeroDirectionKeepsTheOrientation) {
  DirectedLocation l(vec3(0, 0, 0), vec3(1, 2, 3), vec3(0, 1, 0));
  Quaternion before = l.Orientation();
  l.LookAt(vec3(0, 0, 0), 0.5f);
  EXPECT_EQ(l.Orientation().w, before.w);
  EXPECT_EQ(l.Orientation().x, before.x);
  EXPECT_EQ(l.Orientation().y, before.y);
  EXPECT_EQ(l.Orientation().z, before.z);
}

TEST(DirectedLocation, RollTurnsTheUpAboutTheViewingDirection) {
  DirectedLocation l(vec3(0, 0, 0), vec3(0, 0, -1), vec3(0, 1, 0));
  l.SetDirection(vec3(0, 0, -1), 0.5f);
  ExpectNear(LookDirection(l), glm::vec3(0, 0, -1), 1e-6f);
  ExpectNear(UpDirection(l), glm::vec3(-std::sin(0.5f), std::cos(0.5f), 0), 1e-6f);
}

TEST(DirectedLocation, TurnsComposeLocalRotations) {
  struct Turn {
    void (DirectedLocation::*turn)(float);
    glm::vec3 axis;
    float sign;
  };
  const Turn turns[] = {{&DirectedLocation::TurnX, {1, 0, 0}, 1},     {&DirectedLocation::TurnXBack, {1, 0, 0}, -1},
                        {&DirectedLocation::TurnY, {0, 1, 0}, 1},     {&DirectedLocation::TurnYBack, {0, 1, 0}, -1},
                        {&DirectedLocation::TurnZ, {0, 0, 1}, 1},     {&DirectedLocation::TurnZBack, {0, 0, 1}, -1}};
  for (const Turn& t : turns) {
    DirectedLocation l(vec3(0, 0, 0), vec3(1, 2, 3), vec3(0, 1, 0));
    glm::quat expected = ToGlm(l.Orientation()) * glm::angleAxis(0.3f * t.sign, t.axis);
    (l.*t.turn)(0.3f);
    ExpectSameRotation(l.Orientation(), expected, 1e-6f);
  }
  DirectedLocation l;
  Quaternion before = l.Orientation();
  l.TurnY(0.7f);
  l.TurnYBack(0.7f);
  ExpectSameRotation(l.Orientation(), ToGlm(before), 1e-6f);
}

TEST(DirectedLocation, TurnByDragRotatesAboutTheDragNormal) {
  DirectedLocation l(vec3(0, 0, 0), vec3(1, 2, 3), vec3(0, 1, 0));
  Quaternion before = l.Orientation();
  l.TurnByDrag(0.0f, 0.0f);
  ExpectSameRotation(l.Orientation(), ToGlm(before), 0.0f);
  l.TurnByDrag(0.3f, 0.4f);
  glm::quat expected = ToGlm(before) * glm::angleAxis(0.5f, glm::vec3(-0.8f, -0.6f, 0));
  ExpectSameRotation(l.Orientation(), expected, 1e-6f);
}

TEST(DirectedLocation, TurnAboutWorldAxisRotatesInWorldSpace) {
  std::mt19937 random(12);
  std::normal_distribution<float> gauss;
  for (int i = 0; i < 200; ++i) {
    DirectedLocation l(vec3(0, 0, 0), vec3(gauss(random), gauss(random), gauss(random)), vec3(0, 1, 0));
    l.TurnZ(gauss(random));
    glm::vec3 axis(gauss(random), gauss(random), gauss(random));
    float angle = gauss(random);
    glm::quat expected = glm::angleAxis(angle, glm::normalize(axis)) * ToGlm(l.Orientation());
    l.TurnAboutWorldAxis(angle, FromGlm(axis));
    ExpectSameRotation(l.Orientation(), expected, 2e-5f);
  }
}

TEST(DirectedLocation, MoveLocalPositiveThirdComponentGoesForward) {
  DirectedLocation l(vec3(1, 1, 1), vec3(1, 1, 11), vec3(0, 1, 0));
  l.MoveLocal(vec3(0, 0, 5));
  ExpectNear(ToGlm(l.Position()), glm::vec3(1, 1, 6), 1e-6f);
  l.MoveLocal(vec3(0, 2, 0));
  ExpectNear(ToGlm(l.Position()), glm::vec3(1, 3, 6), 1e-6f);
  // Looking along +z with y up, local +x is world -x.
  l.MoveLocal(vec3(4, 0, 0));
  ExpectNear(ToGlm(l.Position()), glm::vec3(-3, 3, 6), 1e-6f);
}

TEST(DirectedLocation, InterpolateBlendsPositionAndSlerpsOrientation) {
  DirectedLocation a(vec3(0, 0, 0), vec3(0, 0, -1), vec3(0, 1, 0));
  DirectedLocation b(vec3(10, 20, 30), vec3(10, 20, 29), vec3(0, 1, 0));
  b.TurnY(1.0f);
  DirectedLocation l;
  l.Interpolate(a, b, 0.25f);
  ExpectNear(ToGlm(l.Position()), glm::vec3(2.5f, 5, 7.5f), 1e-6f);
  ExpectSameRotation(l.Orientation(), ToGlm(a.Orientation()) * glm::angleAxis(0.25f, glm::vec3(0, 1, 0)), 1e-6f);
  l.Interpolate(a, b, 1.0f);
  ExpectSameRotation(l.Orientation(), ToGlm(b.Orientation()), 1e-6f);
}

TEST(DirectedLocation, MatrixFollowsTheOrientation) {
  DirectedLocation l;
  const Matrix3& m = l.Matrix();
  glm::mat3 expected = LocalToWorld(l.Orientation());
  EXPECT_NEAR(m.rows[0][2], expected[0][2], 1e-6f);
  l.TurnX(0.8f);
  expected = LocalToWorld(l.Orientation());
  const Matrix3& turned = l.Matrix();
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(turned.rows[r][c], expected[r][c], 1e-6f);
}

TEST(DirectedLocation, ApplyPlacesTheLocalFrameInTheWorld) {
  DirectedLocation l(vec3(3, -2, 7), vec3(0, 5, 1), vec3(0, 1, 0));
  captured.clear();
  l.Apply(Capture);
  ASSERT_EQ(captured.size(), 1u);
  glm::mat4 expected = glm::translate(glm::mat4(1.0f), ToGlm(l.Position())) * glm::mat4(LocalToWorld(l.Orientation()));
  for (int c = 0; c < 4; ++c)
    for (int r = 0; r < 4; ++r) EXPECT_NEAR(captured[0][c][r], expected[c][r], 1e-6f);
}

TEST(DirectedLocation, ApplyInverseTakesThePositionToTheOrigin) {
  DirectedLocation l(vec3(3, -2, 7), vec3(0, 5, 1), vec3(0, 1, 0));
  captured.clear();
  l.ApplyInverse(Capture);
  ASSERT_EQ(captured.size(), 1u);
  glm::vec4 origin = captured[0] * glm::vec4(3, -2, 7, 1);
  ExpectNear(glm::vec3(origin), glm::vec3(0, 0, 0), 1e-5f);
  EXPECT_EQ(origin.w, 1.0f);
  glm::vec4 ahead = captured[0] * glm::vec4(0, 5, 1, 1);
  glm::vec3 expected_ahead(0, 0, -glm::length(glm::vec3(-3, 7, -6)));
  ExpectNear(glm::vec3(ahead), expected_ahead, 1e-5f);
}

TEST(DirectedLocation, ApplyThenApplyInverseIsTheIdentity) {
  std::mt19937 random(13);
  std::normal_distribution<float> gauss(0.0f, 10.0f);
  for (int i = 0; i < 200; ++i) {
    DirectedLocation l(vec3(gauss(random), gauss(random), gauss(random)),
                       vec3(gauss(random), gauss(random), gauss(random)), vec3(0, 1, 0));
    l.TurnZ(gauss(random));
    captured.clear();
    l.Apply(Capture);
    l.ApplyInverse(Capture);
    glm::mat4 product = captured[0] * captured[1];
    for (int c = 0; c < 4; ++c)
      for (int r = 0; r < 4; ++r) ASSERT_NEAR(product[c][r], c == r ? 1.0f : 0.0f, 2e-5f) << i;
  }
}

}  // namespace
