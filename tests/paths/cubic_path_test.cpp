// Cubic paths against the Bezier formula: values, clamping and lengths.
#include "paths/cubic_path.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using Key1 = vec<float, 1>;
using Key3 = vec<float, 3>;

double Bezier(double p0, double c0, double c1, double p1, double f) {
  double g = 1 - f;
  return g * g * g * p0 + 3 * g * g * f * c0 + 3 * g * f * f * c1 + f * f * f * p1;
}

TEST(CubicPath, FollowsTheBezierThroughItsKeysAndClamps) {
  // Uneven spacing: inner tangents take a third of the shorter neighbour
  // distance along the direction between the neighbours.
  const double keys[4] = {0.0, 1.0, 7.0, 8.0}, d[4] = {0.5, 1.0 / 3, 1.0 / 3, 0.5};
  CubicPath<float, 1> path;
  ASSERT_TRUE(path.SetPoints({Key1(0.0f), Key1(1.0f), Key1(7.0f), Key1(8.0f)}, false));
  for (int i = 0; i < 3; ++i)
    for (double f = 0.0; f < 1.0; f += 0.125)
      EXPECT_NEAR(path.ValueAt(static_cast<float>(i + f))[0],
                  Bezier(keys[i], keys[i] + d[i], keys[i + 1] - d[i + 1], keys[i + 1], f), 1e-5)
          << i << " " << f;
  for (int i = 0; i < 4; ++i) EXPECT_EQ(path.ValueAt(static_cast<float>(i))[0], keys[i]);
  EXPECT_EQ(path.ValueAt(-0.5f)[0], 0.0f);
  EXPECT_EQ(path.ValueAt(9.0f)[0], 8.0f);
}

TEST(CubicPath, MeasuresAlongTheCurveInTenPieces) {
  // Three keys on a quarter circle; the reference sums ten chords per segment.
  double s = std::sqrt(0.5), t = (2 * std::sin(M_PI / 8)) / 3 / std::sqrt(2.0);
  double px[3] = {1, s, 0}, py[3] = {0, s, 1}, dx[3] = {(s - 1) / 2, -t, -s / 2}, dy[3] = {s / 2, t, (1 - s) / 2};
  auto at = [](const double* p, const double* d, int i, double f) {
    return Bezier(p[i], p[i] + d[i], p[i + 1] - d[i + 1], p[i + 1], f);
  };
  double expected = 0;
  for (int i = 0; i < 2; ++i)
    for (int k = 0; k < 10; ++k)
      expected += std::hypot(at(px, dx, i, (k + 1) / 10.0) - at(px, dx, i, k / 10.0),
                             at(py, dy, i, (k + 1) / 10.0) - at(py, dy, i, k / 10.0));
  CubicPath<float, 3> path;
  float fs = static_cast<float>(s);
  ASSERT_TRUE(path.SetPoints({Key3(1, 0, 0), Key3(fs, fs, 0), Key3(0, 1, 0)}, true));
  EXPECT_NEAR(path.TotalLength(), expected, 1e-5);
  EXPECT_EQ(path.End(), path.TotalLength());
}

}  // namespace
