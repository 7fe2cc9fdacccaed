// Hand-made method 1 to 3 and method 4 streams: the corners of the decoders.
#include <gtest/gtest.h>

#include <string>

#include "arj_test_support.h"

namespace {

constexpr uint32_t kThresholdForTests = 3;  // the shortest match

// Block header whose three tables each hold one constant symbol.
BitWriter ConstantBlock(uint32_t symbols, uint32_t literal, uint32_t distance, BitWriter bits = {}) {
  return bits.Put({{symbols, 16}, {0, 5}, {0, 5}, {0, 9}, {literal, 9}, {0, 5}, {distance, 5}});
}

ReaderRun Decode(const std::string& data, const std::string& expected, uint8_t method = 1) {
  return RunReader(BuildArchive({{"entry", method, 0, 2, uint32_t(expected.size()), Crc32(expected), data}}));
}

std::string LastLine(const std::string& out) {
  const size_t start = out.rfind('\n', out.size() - 2) + 1;
  return out.substr(start, out.size() - 1 - start);
}

void ExpectDecodes(const std::string& data, const std::string& expected, uint8_t method = 1) {
  const ReaderRun run = Decode(data, expected, method);
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_TRUE(run.bytes == expected);
}

// Code lengths 4, 4, 4, a 2-bit count of zeros, lengths of 4 up to the 19th symbol; literal 'a' only; no distances.
std::string SpecialIndexBlock(uint32_t zeros) {
  BitWriter bits;
  bits.Put({{1, 16}, {19, 5}, {4, 3}, {4, 3}, {4, 3}, {zeros, 2}});
  for (uint32_t i = 3 + zeros; i < 19; ++i) bits.Put({{4, 3}});
  return bits.Put({{0, 9}, {'a', 9}, {0, 5}, {0, 5}}).Bytes();
}

TEST(HuffmanDecoder, ConstantSymbolsTakeNoBits) {
  // 'B', then a match of 256 at distance 0.
  ExpectDecodes(ConstantBlock(1, 509, 0, ConstantBlock(1, 'B', 0)).Bytes(), std::string(257, 'B'));
  ExpectDecodes(ConstantBlock(0, 'Q', 0).Bytes(), std::string(60000, 'Q'));  // 65,536 symbols
  ExpectDecodes(SpecialIndexBlock(3), "a");                                  // 16 codes of 4 bits
}

// A window of 'a', then 25 'b' (16 literals and a match of 9 whose word copy ends inside the old 'a's), then a
// match reaching 26,623 back: it must read the 'a's the quick copy left alone just past its end.
TEST(HuffmanDecoder, QuickCopyLeavesThePreviousWindowBehindItAlone) {
  BitWriter bits = ConstantBlock(16, 'b', 0, ConstantBlock(26624, 'a', 0));
  bits = ConstantBlock(1, 256 + 9 - kThresholdForTests, 4, bits).Put({{7, 3}});        // distance 8 + 7: from 0
  bits = ConstantBlock(1, 256 + 3 - kThresholdForTests, 15, bits).Put({{10238, 14}});  // distance 16,384 + 10,238
  ExpectDecodes(bits.Bytes(), std::string(26624, 'a') + std::string(25, 'b') + "aaa");
}

// Blocks of 65,536 longest matches make 16 MiB from 8 bytes: an entry declaring more than the reader's bound
// is refused before any of it is decoded, stored or not.
TEST(EntrySizeBound, DeclaringMoreThanTheBoundIsTheDiskFullError) {
  std::string bomb;
  for (int i = 0; i < 17; ++i) bomb += ConstantBlock(0, 509, 0, ConstantBlock(1, 'B', 0)).Bytes();
  for (uint8_t method : {0, 1}) {
    const ReaderRun run = RunReader(BuildArchive({{"bomb", method, 0, 2, kArjOutputLimit + 1, 0, bomb}}));
    EXPECT_EQ(run.status, -1);
    EXPECT_EQ(run.out.substr(run.out.rfind("Extracting")), "Extracting bomb                     \nCan't write file. Disk full?\n");
  }
}

TEST(HuffmanDecoder, RejectsBadTables) {
  const std::string cases[] = {
      ConstantBlock(1, 256, 16).Put({{0, 15}}).Bytes(),  // a distance of a whole window
      ConstantBlock(1, 510, 0).Bytes(),                  // constant symbol outside the alphabet
      BitWriter().Put({{1, 16}, {20, 5}}).Bytes(),       // 20 code-length code lengths for 19 symbols
      BitWriter().Put({{1, 16}, {0, 5}, {3, 5}, {511, 9}}).Bytes(),  // 511 literal lengths
      BitWriter().Put({{1, 16}, {0, 5}, {2, 5}, {510, 9}, {500, 9}}).Bytes(),  // 520 zero lengths for 510 symbols
      SpecialIndexBlock(2),                                                   // 17 codes of 4 bits
      BitWriter().Put({{1, 16}, {3, 5}, {1, 3}, {1, 3}, {1, 3}, {0, 2}}).Bytes(),  // three codes of length 1
      BitWriter().Put({{1, 16}, {4, 5}, {1, 3}, {1, 3}, {1, 3}, {0, 2}, {1, 3}}).Bytes(),  // 16-bit space twice
      BitWriter().Put({{1, 16}, {1, 5}, {7, 3}, {0x1FFF, 13}, {0, 1}}).Bytes(),  // 7 + 13 = 20 bits
  };
  for (const std::string& data : cases) {
    const ReaderRun run = Decode(data, "xyz");
    EXPECT_EQ(run.status, -1);
    EXPECT_EQ(LastLine(run.out), "Bad Huffman code") << testing::PrintToString(data);
  }
}

TEST(FastDecoder, DataPastTheEndOfInputReadsAsOnes) {
  // A literal flag and seven bits of a literal; the eighth bit lies past the end of the input.
  std::string archive = BuildArchive({{"entry", 4, 0, 2, 1, Crc32("\x01"), std::string(1, '\0')}});
  const size_t header = HeaderOffsets(archive)[1];
  archive[header + 4 + 12] = 2;  // claims one byte more than the archive has
  FixHeaderCrc(archive, header);
  archive.resize(archive.size() - 4);
  const ReaderRun run = RunReader(archive);
  EXPECT_NE(run.out.find("CRC OK\n"), std::string::npos) << run.out;
  EXPECT_EQ(run.status, -1);
  EXPECT_EQ(LastLine(run.out), "Can't read file or unexpected end of file");
}

TEST(FastDecoder, LongestMatchAndFarthestDistance) {
  // Literal 'M'; length code 127 + 7 bits = 254: a match of 256; distance 0; literal '!'.
  ExpectDecodes(BitWriter().Put({{0, 1}, {'M', 8}, {0x7F, 7}, {127, 7}, {0, 1}, {0, 9}, {0, 1}, {'!', 8}}).Bytes(),
                std::string(257, 'M') + "!", 4);
  const std::string noise = PseudoRandom(15872, 11);
  BitWriter bits;
  for (unsigned char c : noise) bits.Put({{0, 1}, {c, 8}});
  // Length code 1: a match of 3; distance code 15,871: 15,872 bytes back.
  bits.Put({{1, 1}, {0, 1}, {0, 1}, {0xF, 4}, {0x1FFF, 13}});
  ExpectDecodes(bits.Bytes(), noise + noise.substr(0, 3), 4);
}

}  // namespace
