// Memory files and the archive list.
#include "archive/afile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "archive/pack_image.h"

namespace {

class ArchiveFiles : public testing::Test {
 protected:
  void SetUp() override {
    testing::internal::CaptureStdout();
    ASSERT_TRUE(AddPackImage(gArchives, {{"b.jpg", "0123456789"}, {"A\\x", "ab"}, {"b.jpg", "second"}, {"nothing", ""}}));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "files in archive: 4\n");
  }
  void TearDown() override { FreeArchives(gArchives); }
};

TEST_F(ArchiveFiles, OpensByExactNameAndFirstDuplicateWins) {
  AFILE* f = afopen("b.jpg", "RB");
  ASSERT_NE(f, nullptr);
  char bytes[11] = {};
  EXPECT_EQ(afread(bytes, 1, 10, f), 10u);
  EXPECT_STREQ(bytes, "0123456789");
  EXPECT_TRUE(afeof(f));
  EXPECT_EQ(afgetc(f), -1);
  afclose(f);
  EXPECT_EQ(afopen("B.jpg", "rb"), nullptr);
  EXPECT_EQ(afopen("A/x", "rb"), nullptr);
  EXPECT_EQ(afclose(nullptr), 0);
  AFILE* empty = afopen("nothing", "rb");
  ASSERT_NE(empty, nullptr);
  EXPECT_TRUE(afeof(empty));
  afclose(empty);
  testing::internal::CaptureStderr();
  EXPECT_EQ(afopen("b.jpg", "r"), nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "afopen(): only \"rb\" is supported!\n");
}

TEST_F(ArchiveFiles, SeekTellAndPartialReads) {
  AFILE* f = afopen("b.jpg", "rb");
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(afseek(f, 0, 2), 0);
  EXPECT_EQ(aftell(f), 10);
  afseek(f, -4, 2);
  EXPECT_EQ(afgetc(f), '6');
  afseek(f, 1, 0);
  uint32_t words[10];
  EXPECT_EQ(afread(words, 4, 10, f), 2u);
  EXPECT_EQ(std::memcmp(words, "12345678", 8), 0);
  afseek(f, -2, 1);
  EXPECT_EQ(afgetc(f), '7');
  testing::internal::CaptureStderr();
  EXPECT_EQ(afseek(f, 5, 7), 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "afseek(): invalid whence parameter!\n");
  EXPECT_EQ(aftell(f), 8);
  afclose(f);
}

TEST_F(ArchiveFiles, SeeksOutsideTheEntryLeaveTheFileAtItsEnd) {
  AFILE* f = afopen("A\\x", "rb");
  ASSERT_NE(f, nullptr);
  for (int whence : {0, 1, 2})
    for (long offset : {-20L, 100000L}) {
      afseek(f, 0, 0);
      afseek(f, offset, whence);
      EXPECT_EQ(aftell(f), 2);
      EXPECT_EQ(afgetc(f), -1);
    }
  afclose(f);
}

TEST_F(ArchiveFiles, ListingIsInNameOrderWithOffsets) {
  AddPackImage(gArchives, {{"z", "1"}});
  testing::internal::CaptureStdout();
  ListArchives(gArchives, ">");
  char expected[512];
  std::snprintf(expected, sizeof expected,
                ">Archive #1, %d, 62, 4:\n>  Entry #1: A\\x, 32, 2\n>  Entry #2: b.jpg, 14, 10\n"
                ">  Entry #3: nothing, 62, 0\n>Archive #2, %d, 11, 1:\n>  Entry #1: z, 10, 1\n",
                static_cast<int>(reinterpret_cast<intptr_t>(gArchives.front()->data)),
                static_cast<int>(reinterpret_cast<intptr_t>((*++gArchives.begin())->data)));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), expected);
}

bool AddRaw(const std::string& image) {  // the archive list takes the bytes over
  unsigned char* bytes = new unsigned char[image.size() + 1];
  std::memcpy(bytes, image.data(), image.size());
  AFILE f{bytes, bytes, bytes + image.size()};
  const bool added = AddArchive(gArchives, &f);
  if (!added) {
    EXPECT_EQ(f.begin, nullptr);
  }
  return added;
}

TEST(ArchiveLoad, RejectsImagesWhoseEntriesLeaveTheImage) {
  AFILE null_image{nullptr, nullptr, nullptr};
  EXPECT_FALSE(AddArchive(gArchives, &null_image));
  const std::string good = BuildPackImage({{"one", "abc"}, {"two", "defg"}});
  std::string huge = good;
  huge[8] = huge[11] = '\xFF';  // first size 0xFF000003
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  for (const std::string& bad : {std::string("\x01\x00"),                                 // no room for the count
                                 std::string("\x03\x00\x00\x00", 4) + good.substr(4),      // count too large
                                 good.substr(0, good.size() - 1),                          // last size too large
                                 good.substr(0, 7), huge})                                 // name without its end
    EXPECT_FALSE(AddRaw(bad));
  testing::internal::GetCapturedStdout();
  EXPECT_NE(testing::internal::GetCapturedStderr().find("reaches past the end of the pack image"), std::string::npos);
  EXPECT_TRUE(gArchives.empty());

  testing::internal::CaptureStdout();
  EXPECT_TRUE(AddRaw(good + "trailing"));
  EXPECT_TRUE(AddPackImage(gArchives, {}));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "files in archive: 2\nfiles in archive: 0\n");
  uint32_t size = 0;
  EXPECT_NE(FindInArchives(gArchives, "two", &size), nullptr);
  EXPECT_EQ(size, 4u);
  FreeArchives(gArchives);
}

}  // namespace
