// The reader against archives made by the real arj program.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "arj_test_support.h"

namespace {

std::string Repetitive(size_t n) {
  std::string s;
  while (s.size() < n) s += "the dusk machine hums; ";
  return s.substr(0, n);
}

// Text-like bytes with long-range repeats, larger than the 26,624-byte window.
std::string Mixed(size_t n) {
  const std::string noise = PseudoRandom(n / 8 + 64, 7);
  std::string s;
  for (size_t i = 0; s.size() < n; ++i)
    s += "line " + std::to_string(i * 37 % 1009) + ": " + noise.substr(i * 13 % (noise.size() - 40), 1 + i % 23) + '\n';
  return s.substr(0, n);
}

bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}
size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

const std::string kSpin2 = "(|)\b\b\b(/)\b\b\b";  // the spinner's first turns
const std::string kErrorTail = "CRC OK\n\nFound     1 error(s)!\n";

class ArjReader : public testing::Test {
 protected:
  TempDir dir_;
};
class EveryMethod : public testing::TestWithParam<int> {};

TEST_P(EveryMethod, ExtractsWhatArjExtracts) {
  TempDir dir;
  const std::string archive = ArjAdd(dir, "m.arj", "-m" + std::to_string(GetParam()),
                                     {{"empty", ""}, {"one", "x"}, {"mixed.txt", Mixed(150000)},
                                      {"repeat.bin", Repetitive(300000)}, {"noise.bin", PseudoRandom(70000, 3)}});
  const std::string expected = ArjExtracted(dir, "m.arj", {"empty", "one", "mixed.txt", "repeat.bin", "noise.bin"});
  const ReaderRun run = RunReader(archive);
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_TRUE(run.bytes == expected);
  EXPECT_EQ(Count(run.out, "CRC OK\n"), 5u);
  EXPECT_EQ(Count(run.out, "Filename       Original Compressed Ratio CRC-32\n"), 1u);
}

INSTANTIATE_TEST_SUITE_P(Methods, EveryMethod, testing::Values(0, 1, 2, 3, 4));

TEST_F(ArjReader, PrintsBannerListingSpinnerAndVerdict) {
  const ReaderRun run =
      RunReader(ArjAdd(dir_, "s.arj", "-m0", {{"abcdefghijkl", "x"}, {"abcdefghijklm", std::string(5000, 'y')}}));
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
  EXPECT_EQ(run.out.substr(0, head.size()), head);
}

TEST_F(ArjReader, ReadsStoredDataUpToTheArchivesBlockBoundaries) {
  // Data from archive position 4000: chunks of 96 and 104 bytes.
  const std::string data = PseudoRandom(200, 9);
  const std::string bare = BuildArchive({{"entry", 0, 0, 2, 200, Crc32(data), data}});
  const size_t data_at = HeaderOffsets(bare)[1] + 4 + 30 + 6 + 1 + 4 + 2;
  const ReaderRun run = RunReader(std::string(4000 - data_at, 'J') + bare);
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(run.bytes, data);
  EXPECT_NE(run.out.find("Extracting entry                    " + kSpin2 + "(-)\b\b\bCRC OK\n"), std::string::npos)
      << run.out;
}

// Rewritten to host 0, a text entry loses bit 7 after its CRC, as arj itself extracts it; arj -t1 records a file
// with bytes above 127 as binary, which keeps them.
TEST_F(ArjReader, TextEntryFromAnotherHostLosesBit7AfterTheCrc) {
  std::string text;
  for (int i = 0; i < 4000; ++i) text += static_cast<char>(i % 3 ? 'a' + i % 26 : 0x80 + i % 128);
  for (const char* type : {"-t1g", "-t1"}) {
    const std::string name = std::string(type + 1) + ".arj";
    std::string archive = ArjAdd(dir_, name, std::string(type) + " -m1", {{"notes.txt", text}});
    const size_t entry = HeaderOffsets(archive)[1];
    archive[entry + 4 + 3] = 0;  // host system 0
    FixHeaderCrc(archive, entry);
    WriteBytes(dir_ / name, archive);
    const ReaderRun other_host = RunReader(archive);
    EXPECT_EQ(other_host.status, 0) << other_host.out;
    EXPECT_TRUE(other_host.bytes == ArjExtracted(dir_, name, {"notes.txt"})) << type;
    EXPECT_EQ(other_host.bytes.find('\x80') == std::string::npos, archive[entry + 4 + 6] == 1) << type;
  }
}

TEST_F(ArjReader, SkipsAGarbledEntryAndCountsTheError) {
  ArjAdd(dir_, "g.arj", "-m1", {{"first", Repetitive(1000)}});
  ArjAdd(dir_, "g.arj", "-m1 -gsecret", {{"second", Repetitive(2000)}});
  const ReaderRun run = RunReader(ArjAdd(dir_, "g.arj", "-m1", {{"third", Repetitive(3000)}}));
  EXPECT_EQ(run.status, -1);
  EXPECT_EQ(Count(run.out, "CRC OK\n"), 2u);
  EXPECT_NE(run.out.find("\nFile is password encrypted, Skipped second\n"), std::string::npos) << run.out;
  EXPECT_TRUE(EndsWith(run.out, kErrorTail)) << run.out;
}

TEST_F(ArjReader, FindsTheArchiveBehindLeadingBytesBelow500000) {
  const std::string archive = ArjAdd(dir_, "j.arj", "-m1", {{"data", Mixed(40000)}});
  // A false id, with a header size too large and one with a wrong CRC.
  const std::string decoys = std::string("\x60\x60\xEA\xFF\xFF", 5) + std::string("\x60\xEA\x04\x00" "abcd" "wxyz", 12);
  const ReaderRun near = RunReader(decoys + std::string(499999 - decoys.size(), 'J') + archive);
  EXPECT_EQ(near.status, 0) << near.out;
  EXPECT_TRUE(near.bytes == ArjExtracted(dir_, "j.arj", {"data"}));
  const ReaderRun far = RunReader(std::string(500000, 'J') + archive);
  EXPECT_EQ(far.status, -1);
  EXPECT_EQ(far.out, "Processing archive: \n\n is not an ARJ archive\n");
  const ReaderRun empty = RunReader(BuildArchive({}));
  EXPECT_EQ(empty.status, 0);
  EXPECT_EQ(empty.out, "Processing archive: \n");
}

TEST_F(ArjReader, FlippedBytesAreCrcErrors) {
  std::string archive = ArjAdd(dir_, "f.arj", "-m0", {{"a", Mixed(3000)}, {"b", Mixed(100)}});
  archive[HeaderOffsets(archive)[2] - 100] ^= 0x10;  // data of a
  const ReaderRun run = RunReader(archive);
  EXPECT_EQ(run.status, -1);
  EXPECT_NE(run.out.find("CRC error!\n"), std::string::npos);
  EXPECT_TRUE(EndsWith(run.out, kErrorTail)) << run.out;
  std::string header = ArjAdd(dir_, "h.arj", "-m1", {{"a", Mixed(3000)}});
  header[HeaderOffsets(header)[1] + 4 + 9] ^= 0x01;  // time stamp
  const ReaderRun bad_header = RunReader(header);
  EXPECT_EQ(bad_header.status, -1);
  EXPECT_EQ(bad_header.out, "Processing archive: \n\nHeader CRC error!\n");
}

TEST_F(ArjReader, TruncatedArchivesEndWithAMessage) {
  for (const char* method : {"-m0", "-m1", "-m4"}) {
    const std::string archive = ArjAdd(dir_, std::string("c") + (method + 1) + ".arj", method,
                                       {{"a", Mixed(60000)}, {"b", PseudoRandom(5000, 4)}});
    for (size_t keep : {size_t{3}, size_t{40}, HeaderOffsets(archive)[1] + 20, archive.size() / 2,
                        archive.size() - 5000, archive.size() - 3, archive.size() - 1}) {
      const ReaderRun run = RunReader(archive.substr(0, keep));
      EXPECT_EQ(run.status, -1) << method << " " << keep;
      size_t known = 0;
      for (const char* m : {"\nCan't read file or unexpected end of file\n", "\n is not an ARJ archive\n",
                            "\nBad Huffman code\n", "\nHeader CRC error!\n"})
        known += run.out.find(m) != std::string::npos;
      EXPECT_GT(known, 0u) << method << " " << keep << ": " << run.out;
    }
  }
}

TEST_F(ArjReader, OutputPastTheLimitIsTheDiskFullError) {
  const ReaderRun run = RunReader(ArjAdd(dir_, "l.arj", "-m1", {{"a", Repetitive(3 << 20)}}), 2 << 20);
  EXPECT_EQ(run.status, -1);
  EXPECT_TRUE(EndsWith(run.out, "\nCan't write file. Disk full?\n")) << run.out;
}

}  // namespace
