#include "paths/cubic_path.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using Key1 = vec<float, 1>;
using Key3 = vec<float, 3>;

// The cubic Bezier between keys i and i + 1 in double precision.
double Bezier(double p0, double c0, double c1, double p1, double f) {
  double g = 1 - f;
  return g * g * g * p0 + 3 * g * g * f * c0 + 3 * g * f * f * c1 + f * f * f * p1;
}

TEST(CubicPath, SingleKeyYieldsThatKeyEverywhere) {
  CubicPath<float, 3> path;
  ASSERT_TRUE(path.SetPoints({Key3(1, 2, 3)}, true));
  for (float u : {-1.0f, 0.0f, 0.3f, 4.0f}) {
    Key3 v = path.ValueAt(u);
    EXPECT_EQ(v[0], 1.0f);
    EXPECT_EQ(v[2], 3.0f);
  }
  EXPECT_EQ(path.TotalLength(), 0.0f);
}

TEST(CubicPath, EmptyKeyListFails) {
  CubicPath<float, 1> path;
  EXPECT_FALSE(path.SetPoints({}, true));
  EXPECT_FALSE(path.IsValid());
  EXPECT_EQ(path.ValueAt(0.0f)[0], 0.0f);
}

TEST(CubicPath, PassesThroughItsKeysAndClampsOutsideThem) {
  CubicPath<float, 1> path;
  ASSERT_TRUE(path.SetPoints({Key1(2.0f), Key1(-1.0f), Key1(5.0f), Key1(6.0f)}, false));
  EXPECT_EQ(path.ValueAt(0.0f)[0], 2.0f);
  EXPECT_EQ(path.ValueAt(1.0f)[0], -1.0f);
  EXPECT_EQ(path.ValueAt(2.0f)[0], 5.0f);
  EXPECT_EQ(path.ValueAt(3.0f)[0], 6.0f);
  EXPECT_EQ(path.ValueAt(-0.5f)[0], 2.0f);
  EXPECT_EQ(path.ValueAt(9.0f)[0], 6.0f);
}

TEST(CubicPath, SegmentsFollowTheBezierOfKeysAndTangentOffsets) {
  // Uneven spacing: the inner tangents take a third of the shorter neighbour
  // distance along the direction between the neighbours.
  std::vector<float> keys = {0.0f, 1.0f, 7.0f, 8.0f};
  CubicPath<float, 1> path;
  ASSERT_TRUE(path.SetPoints({Key1(keys[0]), Key1(keys[1]), Key1(keys[2]), Key1(keys[3])}, false));
  double d[4] = {0.5, 1.0 / 3, 1.0 / 3, 0.5};
  for (int i = 0; i < 3; ++i) {
    for (double f = 0.0; f < 1.0; f += 0.125) {
      double expected = Bezier(keys[i], keys[i] + d[i], keys[i + 1] - d[i + 1], keys[i + 1], f);
      EXPECT_NEAR(path.ValueAt(static_cast<float>(i + f))[0], expected, 1e-5) << i << " " << f;
    }
  }
}

TEST(CubicPath, MeasuresAlongTheCurveInTenPieces) {
  // Three keys on a quarter circle; the reference sums ten chords of each
  // Bezier segment in double precision.
  double s = std::sqrt(0.5);
  double px[3] = {1, s, 0}, py[3] = {0, s, 1};
  double dx[3] = {(s - 1) / 2, -1.0 / std::sqrt(2.0) * (2 * std::sin(M_PI / 8)) / 3, -s / 2};
  double dy[3] = {s / 2, 1.0 / std::sqrt(2.0) * (2 * std::sin(M_PI / 8)) / 3, (1 - s) / 2};
  double expected = 0;
  for (int i = 0; i < 2; ++i) {
    for (int k = 0; k < 10; ++k) {
      double f0 = k / 10.0, f1 = (k + 1) / 10.0;
      double x0 = Bezier(px[i], px[i] + dx[i], px[i + 1] - dx[i + 1], px[i + 1], f0);
      double x1 = Bezier(px[i], px[i] + dx[i], px[i + 1] - dx[i + 1], px[i + 1], f1);
      double y0 = Bezier(py[i], py[i] + dy[i], py[i + 1] - dy[i + 1], py[i + 1], f0);
      double y1 = Bezier(py[i], py[i] + dy[i], py[i + 1] - dy[i + 1], py[i + 1], f1);
      expected += std::hypot(x1 - x0, y1 - y0);
    }
  }
  CubicPath<float, 3> path;
  float fs = static_cast<float>(s);
  ASSERT_TRUE(path.SetPoints({Key3(1, 0, 0), Key3(fs, fs, 0), Key3(0, 1, 0)}, true));
  EXPECT_NEAR(path.TotalLength(), expected, 1e-5);
  EXPECT_EQ(path.End(), path.TotalLength());
}

TEST(CubicPath, DumpAddsTheDirections) {
  CubicPath<float, 1> path;
  ASSERT_TRUE(path.SetPoints({Key1(0.0f), Key1(3.0f), Key1(9.0f)}, false));
  testing::internal::CaptureStdout();
  path.Dump();
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "points:\n(0)\n(3)\n(9)\nlengths:\n0\n0\ndirections:\n  (1.5)\n  (1)\n  (3)\n");
}

}  // namespace
