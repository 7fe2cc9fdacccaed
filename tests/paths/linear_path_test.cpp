// Linear paths: empty, single-key, clamped, measured and advanced past either end.
#include "paths/linear_path.h"

#include <gtest/gtest.h>

namespace {

using Path1 = LinearPath<float, 1>;
using Key1 = vec<float, 1>;
using Key3 = vec<float, 3>;

TEST(LinearPath, PathWithoutKeysIsInvalidAndYieldsZero) {
  Path1 path;
  EXPECT_FALSE(path.SetPoints({}, true));
  EXPECT_FALSE(path.IsValid());
  EXPECT_EQ(path.ValueAt(0.5f)[0], 0.0f);
  EXPECT_EQ(path.Advance(3.0f)[0], 0.0f);
  EXPECT_TRUE(path.AtStart() && path.AtEnd());
}

TEST(LinearPath, SingleKeyYieldsThatKeyEverywhere) {
  Path1 path;
  ASSERT_TRUE(path.SetPoints({Key1(4.0f)}, true));
  for (float u : {-3.0f, 0.5f, 7.0f}) EXPECT_EQ(path.ValueAt(u)[0], 4.0f);
  EXPECT_EQ(path.Advance(-9.0f)[0], 4.0f);
  EXPECT_EQ(path.CursorSegment(), 0);
}

TEST(LinearPath, ValueAtClampsToTheFirstAndLastKeys) {
  Path1 path;
  ASSERT_TRUE(path.SetPoints({Key1(1.0f), Key1(3.0f), Key1(7.0f)}, true));
  const float cases[][2] = {{-0.5f, 1}, {2.0f, 7}, {2.5f, 7}, {1.25f, 4}, {std::nanf(""), 1}};
  for (const auto& c : cases) EXPECT_EQ(path.ValueAt(c[0])[0], c[1]) << c[0];
}

TEST(LinearPath, MeasuresDistancesAndAdvancesInsideASegment) {
  LinearPath<float, 3> path;
  ASSERT_TRUE(path.SetPoints({Key3(0, 0, 0), Key3(3, 4, 0), Key3(3, 4, 12)}, true));
  EXPECT_EQ(path.TotalLength(), 17.0f);
  Key3 v = path.Advance(11.0f);
  EXPECT_TRUE(v[0] == 3.0f && v[1] == 4.0f && v[2] == 6.0f);
  EXPECT_EQ(path.Parameter(), 1.5f);
  path.Measure(8);  // in pieces: the same up to rounding
  EXPECT_NEAR(path.TotalLength(), 17.0f, 1e-5f);
}

TEST(LinearPath, UnmeasuredPathHasZeroLengthsAndJumpsToTheEnd) {
  Path1 path;
  ASSERT_TRUE(path.SetPoints({Key1(0.0f), Key1(5.0f)}, false));
  EXPECT_EQ(path.TotalLength(), 0.0f);
  EXPECT_EQ(path.Parameter(), 0.0f);  // zero-length segment: no division by zero
  EXPECT_EQ(path.Advance(1.0f)[0], 5.0f);
  EXPECT_TRUE(path.AtEnd());
}

TEST(LinearPath, AdvancingPastEitherEndHoldsTheKeyWhileThePositionMoves) {
  struct Step { float delta, value, position; };
  Path1 path;
  ASSERT_TRUE(path.SetPoints({Key1(0.0f), Key1(10.0f), Key1(20.0f)}, true));
  const Step steps[] = {{25, 20, 25}, {3, 20, 28}, {-3, 20, 25}, {-25, 0, 0}, {12, 12, 12},
                        {-20, 0, -8}, {-2, 0, -10}, {4, 0, -6}, {18, 12, 12}};
  for (const Step& s : steps) {
    EXPECT_EQ(path.Advance(s.delta)[0], s.value) << s.delta;
    EXPECT_EQ(path.CursorPosition(), s.position) << s.delta;
    if (s.position == 25) { EXPECT_TRUE(path.AtEnd() && path.CursorSegment() == 2 && path.Parameter() == 2.0f); }
    if (s.position == 0) { EXPECT_TRUE(path.AtStart()); }
    if (s.position == -8) { EXPECT_EQ(path.CursorSegment(), 0); }
  }
}

class CountingPath : public Path1 {
 public:
  Key ValueAt(float u) const override { return ++evaluations, Path1::ValueAt(u); }
  mutable int evaluations = 0;
};

TEST(LinearPath, ValueIsComputedOncePerCursorPosition) {
  CountingPath path;
  ASSERT_TRUE(path.SetPoints({Key1(0.0f), Key1(10.0f)}, true));
  path.evaluations = 0;
  EXPECT_EQ(path.Value()[0] + path.Value()[0], 0.0f);
  EXPECT_EQ(path.evaluations, 1);
  path.Advance(0.0f);  // a zero step still refreshes the value
  EXPECT_EQ(path.Advance(4.0f)[0] + path.Value()[0], 8.0f);
  EXPECT_EQ(path.evaluations, 3);
  path.Rewind();
  EXPECT_EQ(path.Value()[0], 0.0f);
  EXPECT_EQ(path.evaluations, 4);
}

}  // namespace
