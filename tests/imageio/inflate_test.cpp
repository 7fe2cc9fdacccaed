// Inflate against zlib's deflate, and on streams that must fail.
#include "imageio/inflate.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>

#include "png_files.h"

namespace {

using imageio::Inflate;
using imageio::InflateInput;
using Buffers = std::vector<std::vector<uint8_t>>;

// Text-like data with repeats near and far.
std::vector<uint8_t> Sample(size_t size) {
  std::vector<uint8_t> data;
  uint32_t noise = 99;
  while (data.size() < size) {
    noise = noise * 69069u + 1;
    if ((noise >> 29) == 0 && data.size() > 300)
      data.insert(data.end(), data.end() - 300, data.end() - 300 + (noise >> 20) % 200);
    else
      data.push_back(static_cast<uint8_t>('a' + (noise >> 24) % 20));
  }
  data.resize(size);
  return data;
}

Buffers Split(const std::vector<uint8_t>& stream, size_t piece) {
  Buffers buffers;
  for (size_t at = 0; at < stream.size(); at += piece)
    buffers.emplace_back(stream.begin() + at, stream.begin() + std::min(stream.size(), at + piece));
  return buffers;
}

bool InflateAll(const Buffers& buffers, std::vector<uint8_t>* out, size_t limit) {
  InflateInput input(buffers);
  return Inflate(input, out, limit);
}

TEST(Inflate, RestoresWhatZlibCompressed) {
  const std::vector<uint8_t> data = Sample(100000);
  const int strategies[] = {Z_DEFAULT_STRATEGY, Z_FIXED, Z_HUFFMAN_ONLY, Z_RLE, Z_FILTERED};
  for (int level : {0, 1, 6, 9})
    for (int strategy : strategies)
      for (size_t piece : {size_t(7), size_t(1000), size_t(1) << 20}) {
        std::vector<uint8_t> out;
        ASSERT_TRUE(InflateAll(Split(Zlib(data, level, strategy), piece), &out, data.size()))
            << level << " " << strategy << " " << piece;
        ASSERT_EQ(out, data);
      }
}

TEST(Inflate, FixedCodeLiteral200) {
  const std::vector<uint8_t> data = {200};
  std::vector<uint8_t> out;
  ASSERT_TRUE(InflateAll({Zlib(data, 9, Z_FIXED)}, &out, 1));
  EXPECT_EQ(out, data);
}

TEST(Inflate, NeverWritesPastTheLimit) {
  const std::vector<uint8_t> data = Sample(5000);
  for (int level : {0, 6}) {
    std::vector<uint8_t> out;
    EXPECT_FALSE(InflateAll({Zlib(data, level, Z_DEFAULT_STRATEGY)}, &out, 4999));
    EXPECT_LE(out.size(), 4999u);
  }
}

// Bits for a hand-made stream, least significant first.
struct BitWriter {
  std::vector<uint8_t> bytes;
  int used = 8;
  void Put(uint32_t value, int count) {
    for (int i = 0; i < count; ++i) {
      if (used == 8) bytes.push_back(0), used = 0;
      bytes.back() |= ((value >> i) & 1) << used++;
    }
  }
  // A Huffman code, most significant bit first.
  void PutCode(uint32_t code, int length) {
    for (int i = length - 1; i >= 0; --i) Put(code >> i & 1, 1);
  }
};

TEST(Inflate, DistanceBeforeTheStartFails) {
  BitWriter w;
  w.Put(0x78, 8);
  w.Put(0x01, 8);
  w.Put(1, 1);            // final block
  w.Put(1, 2);            // fixed codes
  w.PutCode(0x01, 7);     // length 3
  w.PutCode(0, 5);        // distance 1, with nothing written yet
  w.PutCode(0, 7);        // end of block
  std::vector<uint8_t> out;
  EXPECT_FALSE(InflateAll({w.bytes}, &out, 100));
  EXPECT_TRUE(out.empty());
}

TEST(Inflate, StreamCutShortFails) {
  const std::vector<uint8_t> data = Sample(3000);
  const std::vector<uint8_t> stream = Zlib(data, 6, Z_DEFAULT_STRATEGY);
  for (size_t keep : {size_t(0), size_t(1), size_t(2), stream.size() / 2, stream.size() - 1}) {
    std::vector<uint8_t> out;
    EXPECT_FALSE(InflateAll({std::vector<uint8_t>(stream.begin(), stream.begin() + keep)}, &out, data.size())) << keep;
  }
}

TEST(Inflate, EmptyStoredBlocksAfterTheEndDoNotHang) {
  BitWriter w;
  w.Put(0x78, 8);
  w.Put(0x01, 8);
  w.Put(0, 1);  // not final, stored, then nothing: the zero bits that follow
  w.Put(0, 2);  // would read as endless empty stored blocks
  std::vector<uint8_t> out;
  EXPECT_FALSE(InflateAll({w.bytes}, &out, 100));
}

}  // namespace
