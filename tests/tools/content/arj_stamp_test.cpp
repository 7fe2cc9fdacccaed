// Archives made by the real arj at different times, then stamped.
#include "tools/content/arj_stamp.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/tools/files.h"

namespace {

// Archives a fixed pack.img, dated `when`, as `dir`/pack.arj.
std::vector<uint8_t> ArchiveAt(const std::string& dir, const char* when) {
  std::vector<uint8_t> data(20000);
  for (size_t i = 0; i < data.size(); ++i) data[i] = uint8_t((i * 37) ^ (i >> 5));
  EXPECT_EQ(std::system(("rm -rf " + dir + " && mkdir " + dir).c_str()), 0);
  WriteAll(dir + "/pack.img", data);
  const std::string arj = "cd " + dir + " && touch -d '" + when + "' pack.img && arj a -m1 -y pack.arj pack.img >/dev/null";
  EXPECT_EQ(std::system(arj.c_str()), 0);
  return ReadAll(dir + "/pack.arj");
}

TEST(StampArjTimes, ArchivesMadeAtDifferentTimesBecomeIdenticalAndStillTest) {
  auto first = ArchiveAt("stamp_a", "2001-02-03 04:05:06");
  auto second = ArchiveAt("stamp_b", "2011-12-13 14:15:16");
  ASSERT_FALSE(first.empty());
  ASSERT_NE(first, second);
  const uint32_t when = DosTime(2024, 6, 21, 20, 0, 0);
  ASSERT_TRUE(StampArjTimes(first, when));
  ASSERT_TRUE(StampArjTimes(second, when));
  EXPECT_EQ(first, second);
  EXPECT_EQ(first[4 + 7], 0) << "the main header's random byte is kept";
  WriteAll("stamp_a/pack.arj", first);
  EXPECT_EQ(std::system("cd stamp_a && arj t pack.arj >/dev/null"), 0);
}

TEST(StampArjTimes, RefusesBrokenArchivesAndLeavesThemAlone) {
  const auto archive = ArchiveAt("stamp_c", "2001-02-03 04:05:06");
  auto truncated = std::vector<uint8_t>(archive.begin(), archive.begin() + long(archive.size() / 2));
  const auto before = truncated;
  EXPECT_FALSE(StampArjTimes(truncated, 0));
  EXPECT_EQ(truncated, before);
  auto corrupt = archive;
  corrupt[10] ^= 0xFF;  // inside the main header: its CRC no longer matches
  EXPECT_FALSE(StampArjTimes(corrupt, 0));
  std::vector<uint8_t> empty;
  EXPECT_FALSE(StampArjTimes(empty, 0));
}

TEST(DosTime, PacksDateAndTimeAsMsDosDoes) {
  EXPECT_EQ(DosTime(1980, 1, 1, 0, 0, 0), 0x00210000u);
  EXPECT_EQ(DosTime(2024, 6, 21, 20, 0, 0), (uint32_t(44 << 9 | 6 << 5 | 21) << 16) | (20u << 11));
}

}  // namespace
