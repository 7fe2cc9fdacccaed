// Directed locations against glm: construction, directions, turns and moves.
#include "paths/location.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <random>
#include <utility>
#include <vector>

#include "tests/maths/glm_peer.h"

namespace {

using vec3 = vec<float, 3>;

void ExpectNear(const glm::vec3& actual, const glm::vec3& expected, float tolerance) {
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(actual[i], expected[i], tolerance);
}

void ExpectSameRotation(const Quaternion& actual, const glm::quat& expected, float tolerance) {
  glm::mat3 a = LocalToWorld(actual), b = glm::mat3_cast(expected);
  for (int c = 0; c < 3; ++c) ExpectNear(a[c], b[c], tolerance);
}

glm::vec3 LookDirection(const DirectedLocation& l) { return LocalToWorld(l.Orientation()) * glm::vec3(0, 0, -1); }
glm::vec3 UpDirection(const DirectedLocation& l) { return LocalToWorld(l.Orientation()) * glm::vec3(0, 1, 0); }
float Norm(const Quaternion& q) { return std::sqrt(Dot(q, q)); }
std::array<float, 4> Parts(const Quaternion& q) { return {q.w, q.x, q.y, q.z}; }

std::vector<glm::mat4> captured;
void Capture(const float* m) { captured.push_back(glm::make_mat4(m)); }

TEST(DirectedLocation, ConstructorsSetTheFrame) {
  DirectedLocation l;  // looks along +z with y up; position constructors look at (0, 0, 1)
  ExpectNear(UpDirection(l), glm::vec3(0, 1, 0), 1e-6f);
  for (const DirectedLocation& d : {l, DirectedLocation(0, 0, -5)}) ExpectNear(LookDirection(d), glm::vec3(0, 0, 1), 1e-6f);
  ExpectNear(LookDirection(DirectedLocation(vec3(3, 0, 1))), glm::vec3(-1, 0, 0), 1e-6f);
  DirectedLocation t(vec3(1, 1, 1), vec3(1, 1, -9), vec3(0, 2, 0));  // up kept as given
  EXPECT_EQ(t.Up()[1], 2.0f);
  ExpectNear(LookDirection(t), glm::vec3(0, 0, -1), 1e-6f);
  t.SetUp(vec3(0, 0, 3));
  EXPECT_EQ(t.Up()[2], 1.0f);
}

TEST(DirectedLocation, SetDirectionLooksAlongItWithProjectedUp) {
  // Square roots of a + sqrt(a^2 + b^2) cancel when a < 0: up to a few 1e-3 in float.
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

TEST(DirectedLocation, DegenerateDirectionsAndRoll) {
  DirectedLocation l;
  for (glm::vec3 up : {glm::vec3(0, 1, 0), glm::vec3(1, 0, 0), glm::vec3(0, 0, 1), glm::vec3(0.6f, 0, 0.8f)})
    for (float sign : {1.0f, -1.0f}) {
      l.SetUp(FromGlm(up));
      l.SetDirection(FromGlm(up * sign * 2.0f), 0.0f);
      EXPECT_NEAR(Norm(l.Orientation()), 1.0f, 1e-6f);
      ExpectNear(LookDirection(l), up * sign, 1e-6f);
      EXPECT_NEAR(glm::dot(UpDirection(l), up), 0.0f, 1e-6f);
    }
  DirectedLocation z(vec3(0, 0, 0), vec3(1, 2, 3), vec3(0, 1, 0));
  std::array<float, 4> before = Parts(z.Orientation());
  z.LookAt(vec3(0, 0, 0), 0.5f);
  EXPECT_EQ(Parts(z.Orientation()), before);
  DirectedLocation roll(vec3(0, 0, 0), vec3(0, 0, -1), vec3(0, 1, 0));  // roll turns up about the view
  roll.SetDirection(vec3(0, 0, -1), 0.5f);
  ExpectNear(LookDirection(roll), glm::vec3(0, 0, -1), 1e-6f);
  ExpectNear(UpDirection(roll), glm::vec3(-std::sin(0.5f), std::cos(0.5f), 0), 1e-6f);
}

TEST(DirectedLocation, TurnsComposeLocalRotations) {
  struct Turn { void (DirectedLocation::*turn)(float); glm::vec3 axis; float sign; };
  const Turn turns[] = {{&DirectedLocation::TurnX, {1, 0, 0}, 1}, {&DirectedLocation::TurnXBack, {1, 0, 0}, -1},
                        {&DirectedLocation::TurnY, {0, 1, 0}, 1}, {&DirectedLocation::TurnYBack, {0, 1, 0}, -1},
                        {&DirectedLocation::TurnZ, {0, 0, 1}, 1}, {&DirectedLocation::TurnZBack, {0, 0, 1}, -1}};
  for (const Turn& t : turns) {
    DirectedLocation l(vec3(0, 0, 0), vec3(1, 2, 3), vec3(0, 1, 0));
    glm::quat expected = ToGlm(l.Orientation()) * glm::angleAxis(0.3f * t.sign, t.axis);
    (l.*t.turn)(0.3f);
    ExpectSameRotation(l.Orientation(), expected, 1e-6f);
  }
  DirectedLocation l(vec3(0, 0, 0), vec3(1, 2, 3), vec3(0, 1, 0));
  Quaternion before = l.Orientation();
  l.TurnByDrag(0.0f, 0.0f);
  ExpectSameRotation(l.Orientation(), ToGlm(before), 0.0f);
  l.TurnByDrag(0.3f, 0.4f);  // about the drag normal
  ExpectSameRotation(l.Orientation(), ToGlm(before) * glm::angleAxis(0.5f, glm::vec3(-0.8f, -0.6f, 0)), 1e-6f);
}

TEST(DirectedLocation, TurnAboutWorldAxisRotatesInWorldSpace) {
  DirectedLocation l(vec3(0, 0, 0), vec3(1, 2, 3), vec3(0, 1, 0));
  l.TurnZ(0.7f);
  glm::quat expected = glm::angleAxis(1.1f, glm::normalize(glm::vec3(-2, 1, 3))) * ToGlm(l.Orientation());
  l.TurnAboutWorldAxis(1.1f, vec3(-2, 1, 3));
  ExpectSameRotation(l.Orientation(), expected, 2e-5f);
}

TEST(DirectedLocation, MoveLocalPositiveThirdComponentGoesForward) {
  DirectedLocation l(vec3(1, 1, 1), vec3(1, 1, 11), vec3(0, 1, 0));
  // Looking along +z with y up, local +x is world -x.
  const std::pair<vec3, glm::vec3> moves[] = {{vec3(0, 0, 5), {1, 1, 6}}, {vec3(0, 2, 0), {1, 3, 6}}, {vec3(4, 0, 0), {-3, 3, 6}}};
  for (const auto& [move, expected] : moves) {
    l.MoveLocal(move);
    ExpectNear(ToGlm(l.Position()), expected, 1e-6f);
  }
}

TEST(DirectedLocation, InterpolateBlendsPositionAndSlerpsOrientation) {
  DirectedLocation a(vec3(0, 0, 0), vec3(0, 0, -1), vec3(0, 1, 0));
  DirectedLocation b(vec3(10, 20, 30), vec3(10, 20, 29), vec3(0, 1, 0));
  b.TurnY(1.0f);
  DirectedLocation l;
  l.Interpolate(a, b, 0.25f);
  ExpectNear(ToGlm(l.Position()), glm::vec3(2.5f, 5, 7.5f), 1e-6f);
  ExpectSameRotation(l.Orientation(), ToGlm(a.Orientation()) * glm::angleAxis(0.25f, glm::vec3(0, 1, 0)), 1e-6f);
}

TEST(DirectedLocation, ApplyPlacesTheLocalFrameAndApplyInverseUndoesIt) {
  DirectedLocation l(vec3(3, -2, 7), vec3(0, 5, 1), vec3(0, 1, 0));
  l.Matrix();  // the cached rotation must follow the turn
  l.TurnZ(0.4f);
  captured.clear();
  l.Apply(Capture);
  l.ApplyInverse(Capture);
  ASSERT_EQ(captured.size(), 2u);
  glm::mat4 expected = glm::translate(glm::mat4(1.0f), ToGlm(l.Position())) * glm::mat4(LocalToWorld(l.Orientation()));
  glm::mat4 product = captured[0] * captured[1];
  for (int c = 0; c < 4; ++c)
    for (int r = 0; r < 4; ++r) {
      EXPECT_NEAR(captured[0][c][r], expected[c][r], 1e-6f);
      EXPECT_NEAR(product[c][r], c == r ? 1.0f : 0.0f, 2e-5f);
    }
}

}  // namespace
