// The reader against archives made by the real arj program.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "arj_test_support.h"

namespace {

std::string Repetitive(size_t n) {
  std::string s;
  while (s.size() < n) s += "the dusk machine hums; ";
  s.resize(n);
  return s;
}

// Text-like bytes with long-range repeats, larger than the 26,624-byte window.
std::string Mixed(size_t n) {
  const std::string noise = PseudoRandom(n / 8 + 64, 7);
  std::string s;
  for (size_t i = 0; s.size() < n; ++i) {
    s += "line " + std::to_string(i * 37 % 1009) + ": ";
    s += noise.substr(i * 13 % (noise.size() - 40), 1 + i % 23);
    s += '\n';
  }
  s.resize(n);
  return s;
}

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// The spinner's first turns, each followed by three backspaces.
const std::string kSpin1 = "(|)\b\b\b";
const std::string kSpin2 = kSpin1 + "(/)\b\b\b";
const std::string kSpin3 = kSpin2 + "(-)\b\b\b";

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

class EveryMethod : public testing::TestWithParam<int> {};

TEST_P(EveryMethod, ExtractsWhatArjExtracts) {
  TempDir dir;
  const std::vector<NamedBytes> files = {
      {"empty", ""},
      {"one", "x"},
      {"mixed.txt", Mixed(150000)},
      {"repeat.bin", Repetitive(300000)},
      {"noise.bin", PseudoRandom(70000, 3)},
  };
  const std::string archive = ArjAdd(dir, "m.arj", "-m" + std::to_string(GetParam()), files);
  const std::string expected = ArjExtracted(dir, "m.arj", {"empty", "one", "mixed.txt", "repeat.bin", "noise.bin"});
  ASSERT_EQ(expected.size(), 520001u);

  const ReaderRun run = RunReader(archive);
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_TRUE(run.bytes == expected);
  EXPECT_EQ(Count(run.out, "CRC OK\n"), 5u);
  EXPECT_EQ(Count(run.out, "Filename       Original Compressed Ratio CRC-32\n"), 1u);
}

INSTANTIATE_TEST_SUITE_P(Methods, EveryMethod, testing::Values(0, 1, 2, 3, 4));

TEST(ArjReader, PrintsBannerListingSpinnerAndVerdict) {
  TempDir dir;
  const std::string archive =
      ArjAdd(dir, "s.arj", "-m0", {{"abcdefghijkl", "x"}, {"abcdefghijklm", std::string(5000, 'y')}});
  const ReaderRun run = RunReader(archive);
  ASSERT_EQ(run.status, 0);
  char second[160];
  std::snprintf(second, sizeof second, "abcdefghijklm\n                   5000       5000 1.000 %08X\n",
                Crc32(std::string(5000, 'y')));
  const std::string head =
      "Processing archive: \n"
      "Filename       Original Compressed Ratio CRC-32\n"
      "------------ ---------- ---------- ----- --------\n"
      "abcdefghijkl          1          1 1.000 8CDC1683\n"
      "Extracting abcdefghijkl             " + kSpin2 + "CRC OK\n" + second +
      "Extracting abcdefghijklm            ";
  ASSERT_EQ(run.out.substr(0, head.size()), head);
  // The spinner goes on with its next character; one turn more when the 5000
  // bytes cross a second 4096-byte boundary of the archive.
  const std::string tail = run.out.substr(head.size());
  const std::string next = "(-)\b\b\b(\\)\b\b\b(|)\b\b\b";
  EXPECT_TRUE(tail == next + "CRC OK\n" || tail == next + "(/)\b\b\bCRC OK\n") << tail;
}

TEST(ArjReader, ReadsStoredDataUpToTheArchivesBlockBoundaries) {
  // Data from archive position 4000: chunks of 96 and 104 bytes.
  EntrySpec entry;
  entry.method = 0;
  entry.data = PseudoRandom(200, 9);
  entry.original_size = 200;
  entry.crc = Crc32(entry.data);
  const std::string bare = BuildArchive({entry});
  const size_t data_at = HeaderOffsets(bare)[1] + 4 + 30 + 6 + 1 + 4 + 2;
  const ReaderRun run = RunReader(std::string(4000 - data_at, 'J') + bare);
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(run.bytes, entry.data);
  EXPECT_NE(run.out.find("Extracting entry                    " + kSpin3 + "CRC OK\n"), std::string::npos) << run.out;
}

TEST(ArjReader, TextEntryFromAnotherHostLosesBit7AfterTheCrc) {
  TempDir dir;
  std::string text;
  for (int i = 0; i < 4000; ++i) text += static_cast<char>(i % 3 ? 'a' + i % 26 : 0x80 + i % 128);
  std::string archive = ArjAdd(dir, "t.arj", "-t1g -m1", {{"notes.txt", text}});
  const std::string from_arj = ArjExtracted(dir, "t.arj", {"notes.txt"});
  ASSERT_EQ(from_arj, text);

  const ReaderRun same_host = RunReader(archive);
  EXPECT_EQ(same_host.status, 0);
  EXPECT_EQ(same_host.bytes, from_arj);

  const size_t entry = HeaderOffsets(archive)[1];
  archive[entry + 4 + 3] = 0;  // host system 0
  FixHeaderCrc(archive, entry);
  const ReaderRun other_host = RunReader(archive);
  EXPECT_EQ(other_host.status, 0) << other_host.out;
  std::string stripped = from_arj;
  for (char& c : stripped) c = static_cast<char>(c & 0x7F);
  EXPECT_EQ(other_host.bytes, stripped);
  EXPECT_NE(other_host.out.find("CRC OK"), std::string::npos);
}

TEST(ArjReader, SkipsAGarbledEntryAndCountsTheError) {
  TempDir dir;
  ArjAdd(dir, "g.arj", "-m1", {{"first", Repetitive(1000)}});
  ArjAdd(dir, "g.arj", "-m1 -gsecret", {{"second", Repetitive(2000)}});
  const std::string archive = ArjAdd(dir, "g.arj", "-m1", {{"third", Repetitive(3000)}});
  const ReaderRun run = RunReader(archive);
  EXPECT_EQ(run.status, -1);
  EXPECT_EQ(Count(run.out, "CRC OK\n"), 2u);
  EXPECT_NE(run.out.find("Extracting first "), std::string::npos);
  EXPECT_NE(run.out.find("Extracting third "), std::string::npos);
  EXPECT_NE(run.out.find("\nFile is password encrypted, Skipped second\n"), std::string::npos) << run.out;
  EXPECT_TRUE(EndsWith(run.out, "CRC OK\n\nFound     1 error(s)!\n")) << run.out;
}

TEST(ArjReader, FindsTheArchiveBehindLeadingBytesBelow500000) {
  TempDir dir;
  const std::string archive = ArjAdd(dir, "j.arj", "-m1", {{"data", Mixed(40000)}});
  const std::string expected = ArjExtracted(dir, "j.arj", {"data"});
  // A false id, with a header size too large and one with a wrong CRC.
  const std::string decoys = std::string("\x60\x60\xEA\xFF\xFF", 5) + std::string("\x60\xEA\x04\x00" "abcd" "wxyz", 12);

  const ReaderRun near = RunReader(decoys + std::string(499999 - decoys.size(), 'J') + archive);
  EXPECT_EQ(near.status, 0) << near.out;
  EXPECT_TRUE(near.bytes == expected);

  const ReaderRun far = RunReader(std::string(500000, 'J') + archive);
  EXPECT_EQ(far.status, -1);
  EXPECT_EQ(far.out, "Processing archive: \n\n is not an ARJ archive\n");
}

TEST(ArjReader, ArchiveWithoutEntriesGivesAnEmptyImage) {
  const ReaderRun run = RunReader(BuildArchive({}));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.bytes, "");
  EXPECT_EQ(run.out, "Processing archive: \n");
}

TEST(ArjReader, FlippedDataByteIsACrcError) {
  TempDir dir;
  std::string archive = ArjAdd(dir, "f.arj", "-m0", {{"a", Mixed(3000)}, {"b", Mixed(100)}});
  const size_t data_at = HeaderOffsets(archive)[2] - 100;
  archive[data_at] = static_cast<char>(archive[data_at] ^ 0x10);
  const ReaderRun run = RunReader(archive);
  EXPECT_EQ(run.status, -1);
  EXPECT_NE(run.out.find("CRC error!\n"), std::string::npos);
  EXPECT_EQ(Count(run.out, "CRC OK\n"), 1u);
  EXPECT_TRUE(EndsWith(run.out, "CRC OK\n\nFound     1 error(s)!\n")) << run.out;
}

TEST(ArjReader, FlippedHeaderByteIsAHeaderCrcError) {
  TempDir dir;
  std::string archive = ArjAdd(dir, "h.arj", "-m1", {{"a", Mixed(3000)}});
  archive[HeaderOffsets(archive)[1] + 4 + 9] ^= 0x01;  // time stamp
  const ReaderRun run = RunReader(archive);
  EXPECT_EQ(run.status, -1);
  EXPECT_EQ(run.out, "Processing archive: \n\nHeader CRC error!\n");
}

TEST(ArjReader, TruncatedArchivesEndWithAMessage) {
  TempDir dir;
  for (const char* method : {"-m0", "-m1", "-m4"}) {
    const std::string archive = ArjAdd(dir, std::string("c") + (method + 1) + ".arj", method,
                                       {{"a", Mixed(60000)}, {"b", PseudoRandom(5000, 4)}});
    for (size_t keep : {size_t{3}, size_t{40}, HeaderOffsets(archive)[1] + 20, archive.size() / 2,
                        archive.size() - 5000, archive.size() - 3, archive.size() - 1}) {
      const ReaderRun run = RunReader(archive.substr(0, keep));
      EXPECT_EQ(run.status, -1) << method << " " << keep;
      const bool known = run.out.find("\nCan't read file or unexpected end of file\n") != std::string::npos ||
                         run.out.find("\n is not an ARJ archive\n") != std::string::npos ||
                         run.out.find("\nBad Huffman code\n") != std::string::npos ||
                         run.out.find("\nHeader CRC error!\n") != std::string::npos;
      EXPECT_TRUE(known) << method << " " << keep << ": " << run.out;
    }
  }
}

TEST(ArjReader, OutputPastTheLimitIsTheDiskFullError) {
  TempDir dir;
  const std::string archive = ArjAdd(dir, "l.arj", "-m1", {{"a", Repetitive(3 << 20)}});
  const ReaderRun run = RunReader(archive, 2 << 20);
  EXPECT_EQ(run.status, -1);
  EXPECT_TRUE(EndsWith(run.out, "\nCan't write file. Disk full?\n")) << run.out;
}

}  // namespace
