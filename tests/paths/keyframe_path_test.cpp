// Keyframe paths moving by time, their cursor and their dumps.
#include "paths/keyframe_path.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Key1 = vec<float, 1>;
using Key3 = vec<float, 3>;

TEST(KeyframePath, KeyTimesBecomeLengthsAndRangeAndMustCoverTheValues) {
  KeyframePath<float, 1> path;
  ASSERT_TRUE(path.SetKeys({Key1(0.0f), Key1(1.0f), Key1(2.0f)}, {0.0f, 10.0f, 30.0f}));
  EXPECT_EQ(path.End(), 30.0f);
  path.Rewind();
  path.Advance(20.0f);
  EXPECT_EQ(path.Parameter(), 1.5f);
  EXPECT_EQ(path.Value()[0], 1.4375f);  // halfway along the Bezier 1, 1 + 1/3, 2 - 1/2, 2
  ASSERT_TRUE(path.SetKeys({Key1(0.0f), Key1(1.0f)}, {0.0f, 8.0f, 100.0f}));  // extra times ignored
  EXPECT_EQ(path.TotalLength(), 8.0f);
  KeyframePath<float, 1> bad;
  EXPECT_FALSE(bad.SetKeys({Key1(0.0f), Key1(1.0f)}, {0.0f}));  // fewer times than values
  EXPECT_FALSE(bad.IsValid());
}

TEST(KeyframePath, UnevenKeyTimesMoveByTime) {
  // Keys at frames 5, 6 and 50: a frame crosses the first segment, a 44th of the second.
  KeyframePath<float, 3> path;
  ASSERT_TRUE(path.SetKeys({Key3(0, 0, 0), Key3(10, 0, 0), Key3(10, 44, 0)}, {5.0f, 6.0f, 50.0f}));
  path.Rewind();
  EXPECT_EQ(path.CursorPosition(), 5.0f);
  EXPECT_EQ(path.Advance(1.0f)[0], 10.0f);
  EXPECT_EQ(path.Parameter(), 1.0f);
}

TEST(KeyframePath, CursorStaysAtThePreviousStartUntilRewound) {
  KeyframePath<float, 1> path;
  ASSERT_TRUE(path.SetKeys({Key1(3.0f), Key1(4.0f)}, {5.0f, 15.0f}));
  EXPECT_EQ(path.Advance(2.0f)[0], 3.0f);
  EXPECT_EQ(path.CursorPosition(), 2.0f);
  path.Rewind();
  EXPECT_EQ(path.CursorPosition(), 5.0f);
}

TEST(KeyframePath, SingleKeyHoldsAndRepeatedKeyTimeGivesNoNaN) {
  KeyframePath<float, 3> single;
  ASSERT_TRUE(single.SetKeys({Key3(7, 8, 9)}, {0.0f}));
  single.Rewind();
  Key3 v = single.Advance(10.0f);
  EXPECT_TRUE(v[0] == 7.0f && v[2] == 9.0f);
  KeyframePath<float, 1> path;
  ASSERT_TRUE(path.SetKeys({Key1(0.0f), Key1(5.0f), Key1(9.0f)}, {0.0f, 0.0f, 4.0f}));
  path.Rewind();
  EXPECT_EQ(path.Value()[0], 0.0f);
  EXPECT_EQ(path.Advance(4.0f)[0], 9.0f);
}

TEST(PathDump, ListsPointsAndLengthsCubicAddsDirectionsKeyframeAddsKeyTimes) {
  LinearPath<float, 3> linear;
  ASSERT_TRUE(linear.SetPoints({Key3(0, 0, 0), Key3(3, 4, 0)}, true));
  CubicPath<float, 1> cubic;
  ASSERT_TRUE(cubic.SetPoints({Key1(0.0f), Key1(3.0f), Key1(9.0f)}, false));
  KeyframePath<float, 1> keyframe;
  ASSERT_TRUE(keyframe.SetKeys({Key1(0.0f), Key1(2.0f)}, {0.0f, 12.5f}));
  testing::internal::CaptureStdout();
  linear.Dump();
  LinearPath<float, 1>().Dump();  // an empty path prints nothing
  cubic.Dump();
  keyframe.Dump();
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            std::string("points:\n(0,0,0)\n(3,4,0)\nlengths:\n5\n") +
                "points:\n(0)\n(3)\n(9)\nlengths:\n0\n0\ndirections:\n  (1.5)\n  (1)\n  (3)\n" +
                "points:\n(0)\n(2)\nlengths:\n12.5\ndirections:\n  (1)\n  (1)\nKeyTimes:\n  0\n  12.5\n");
}

}  // namespace
