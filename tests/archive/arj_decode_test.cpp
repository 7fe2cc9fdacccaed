// Hand-made method 1 to 3 and method 4 streams: the corners of the decoders.
#include <gtest/gtest.h>

#include <string>

#include "arj_test_support.h"

namespace {

// Block header whose three tables each hold one constant symbol.
void ConstantBlock(BitWriter& bits, uint32_t symbols, uint32_t literal, uint32_t distance) {
  bits.Put(symbols, 16);
  bits.Put(0, 5);
  bits.Put(0, 5);  // code-length alphabet: symbol 0
  bits.Put(0, 9);
  bits.Put(literal, 9);
  bits.Put(0, 5);
  bits.Put(distance, 5);
}

ReaderRun Decode(const std::string& data, uint32_t original_size, const std::string& expected, uint8_t method = 1) {
  EntrySpec entry;
  entry.method = method;
  entry.data = data;
  entry.original_size = original_size;
  entry.crc = Crc32(expected);
  return RunReader(BuildArchive({entry}));
}

std::string LastLine(const std::string& out) {
  const size_t end = out.size() - 1;
  return out.substr(out.rfind('\n', end - 1) + 1, end - out.rfind('\n', end - 1) - 1);
}

TEST(HuffmanDecoder, ConstantSymbolsTakeNoBits) {
  BitWriter bits;
  ConstantBlock(bits, 1, 'B', 0);
  ConstantBlock(bits, 1, 509, 0);  // a match of 256 at distance 0
  const std::string expected(257, 'B');
  const ReaderRun run = Decode(bits.Bytes(), 257, expected);
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(run.bytes, expected);

  BitWriter many;
  ConstantBlock(many, 0, 'Q', 0);  // 65,536 symbols
  const ReaderRun long_run = Decode(many.Bytes(), 60000, std::string(60000, 'Q'));
  EXPECT_EQ(long_run.status, 0) << long_run.out;
  EXPECT_EQ(long_run.bytes, std::string(60000, 'Q'));
}

TEST(HuffmanDecoder, RejectsADistanceOfAWholeWindow) {
  BitWriter bits;
  ConstantBlock(bits, 1, 256, 16);
  bits.Put(0, 15);
  const ReaderRun run = Decode(bits.Bytes(), 3, "xyz");
  EXPECT_EQ(run.status, -1);
  EXPECT_EQ(LastLine(run.out), "Bad Huffman code");
}

TEST(HuffmanDecoder, RejectsCodeLengthListsLongerThanTheirAlphabet) {
  BitWriter small;
  small.Put(1, 16);
  small.Put(20, 5);  // 20 code-length code lengths for 19 symbols
  EXPECT_EQ(LastLine(Decode(small.Bytes(), 1, "a").out), "Bad Huffman code");

  BitWriter literal;
  literal.Put(1, 16);
  literal.Put(0, 5);
  literal.Put(3, 5);  // code-length symbol 3 is length 1
  literal.Put(511, 9);
  EXPECT_EQ(LastLine(Decode(literal.Bytes(), 1, "a").out), "Bad Huffman code");

  BitWriter run;
  run.Put(1, 16);
  run.Put(0, 5);
  run.Put(2, 5);  // every code-length symbol is 2: 20 + 9 bits of zeros
  run.Put(510, 9);
  run.Put(500, 9);  // 520 zero lengths for 510 symbols
  EXPECT_EQ(LastLine(Decode(run.Bytes(), 1, "a").out), "Bad Huffman code");

}

// Code lengths 4, 4, 4, then a 2-bit count of zeros, then lengths of 4 up to
// the 19th symbol; a literal table of the one symbol 'a'; no distances.
std::string SpecialIndexBlock(uint32_t zeros) {
  BitWriter bits;
  bits.Put(1, 16);
  bits.Put(19, 5);
  for (int i = 0; i < 3; ++i) bits.Put(4, 3);
  bits.Put(zeros, 2);
  for (uint32_t i = 3 + zeros; i < 19; ++i) bits.Put(4, 3);
  bits.Put(0, 9);
  bits.Put('a', 9);
  bits.Put(0, 5);
  bits.Put(0, 5);
  return bits.Bytes();
}

TEST(HuffmanDecoder, ZerosAfterTheThirdCodeLength) {
  const ReaderRun full = Decode(SpecialIndexBlock(3), 1, "a");  // 16 codes of 4 bits
  EXPECT_EQ(full.status, 0) << full.out;
  EXPECT_EQ(full.bytes, "a");
  const ReaderRun overfull = Decode(SpecialIndexBlock(2), 1, "a");  // 17 codes of 4 bits
  EXPECT_EQ(LastLine(overfull.out), "Bad Huffman code");
}

TEST(HuffmanDecoder, RejectsConstantSymbolsOutsideTheAlphabet) {
  BitWriter bits;
  ConstantBlock(bits, 1, 510, 0);
  EXPECT_EQ(LastLine(Decode(bits.Bytes(), 1, "a").out), "Bad Huffman code");
}

TEST(HuffmanDecoder, RejectsOverfullAndOverlongCodes) {
  BitWriter overfull;
  overfull.Put(1, 16);
  overfull.Put(3, 5);
  for (int i = 0; i < 3; ++i) overfull.Put(1, 3);  // three codes of length 1
  overfull.Put(0, 2);
  EXPECT_EQ(LastLine(Decode(overfull.Bytes(), 1, "a").out), "Bad Huffman code");

  BitWriter doubled;  // 2 x 65,536: fills the 16-bit space twice
  doubled.Put(1, 16);
  doubled.Put(4, 5);
  for (int i = 0; i < 3; ++i) doubled.Put(1, 3);
  doubled.Put(0, 2);
  doubled.Put(1, 3);
  EXPECT_EQ(LastLine(Decode(doubled.Bytes(), 1, "a").out), "Bad Huffman code");

  BitWriter overlong;
  overlong.Put(1, 16);
  overlong.Put(1, 5);
  overlong.Put(7, 3);
  overlong.Put(0x1FFF, 13);  // 7 + 13 = 20 bits
  overlong.Put(0, 1);
  EXPECT_EQ(LastLine(Decode(overlong.Bytes(), 1, "a").out), "Bad Huffman code");
}

TEST(FastDecoder, DataPastTheEndOfInputReadsAsOnes) {
  // A literal flag and seven bits of a literal; the eighth bit lies past the
  // end of the input and reads as 1.
  EntrySpec entry;
  entry.method = 4;
  entry.data = std::string(1, '\0');
  entry.original_size = 1;
  entry.crc = Crc32("\x01");
  std::string archive = BuildArchive({entry});
  const size_t header = HeaderOffsets(archive)[1];
  archive[header + 4 + 12] = 2;  // claims one byte more than the archive has
  FixHeaderCrc(archive, header);
  archive.resize(archive.size() - 4);
  const ReaderRun run = RunReader(archive);
  EXPECT_NE(run.out.find("CRC OK\n"), std::string::npos) << run.out;
  EXPECT_EQ(run.status, -1);
  EXPECT_EQ(LastLine(run.out), "Can't read file or unexpected end of file");
}

TEST(FastDecoder, LiteralsAndTheLongestMatch) {
  BitWriter bits;
  bits.Put(0, 1);
  bits.Put('M', 8);
  bits.Put(0x7F, 7);  // seven 1 bits: length code 127 + 7 bits
  bits.Put(127, 7);   // 254: a match of 256
  bits.Put(0, 1);     // distance code from 9 bits
  bits.Put(0, 9);     // distance 0
  bits.Put(0, 1);
  bits.Put('!', 8);
  const std::string expected = std::string(257, 'M') + "!";
  const ReaderRun run = Decode(bits.Bytes(), 258, expected, 4);
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(run.bytes, expected);
}

TEST(FastDecoder, FarthestDistance) {
  const std::string noise = PseudoRandom(15872, 11);
  BitWriter bits;
  for (unsigned char c : noise) {
    bits.Put(0, 1);
    bits.Put(c, 8);
  }
  bits.Put(1, 1);
  bits.Put(0, 1);
  bits.Put(0, 1);  // length code 1: a match of 3
  bits.Put(0xF, 4);
  bits.Put(0x1FFF, 13);  // distance code 15,871: 15,872 bytes back
  const std::string expected = noise + noise.substr(0, 3);
  const ReaderRun run = Decode(bits.Bytes(), static_cast<uint32_t>(expected.size()), expected, 4);
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_TRUE(run.bytes == expected);
}

}  // namespace
