// Inflate against zlib's deflate, and on streams that must fail.
#include "imageio/inflate.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <memory>

#include "files.h"

namespace {

// Text-like data with repeats near and far.
Bytes Sample(size_t size) {
  Bytes data;
  for (uint32_t noise = 99; data.size() < size;) {
    noise = noise * 69069u + 1;
    if ((noise >> 29) == 0 && data.size() > 300)
      data.insert(data.end(), data.end() - 300, data.end() - 300 + (noise >> 20) % 200);
    else
      data.push_back(static_cast<uint8_t>('a' + (noise >> 24) % 20));
  }
  data.resize(size);
  return data;
}

// Inflates the stream fed in pieces of the size into exactly limit bytes of room.
bool InflateAll(const Bytes& stream, Bytes* out, size_t limit, size_t piece = SIZE_MAX) {
  std::vector<imageio::InflateInput::Buffer> buffers;
  for (size_t at = 0; at == 0 || at < stream.size(); at += piece)
    buffers.push_back({stream.data() + at, std::min(stream.size() - at, piece)});
  imageio::InflateInput input(buffers);
  std::unique_ptr<uint8_t[]> room(new uint8_t[limit]);
  size_t written = 0;
  const bool ok = imageio::Inflate(input, room.get(), limit, &written);
  out->assign(room.get(), room.get() + written);
  return ok;
}

TEST(Inflate, RestoresWhatZlibCompressed) {
  const Bytes data = Sample(100000);
  for (int level : {0, 1, 6, 9})
    for (int strategy : {Z_DEFAULT_STRATEGY, Z_FIXED, Z_HUFFMAN_ONLY, Z_RLE, Z_FILTERED})
      for (size_t piece : {size_t(7), size_t(1000), size_t(1) << 20}) {
        Bytes out;
        ASSERT_TRUE(InflateAll(Zlib(data, level, strategy), &out, data.size(), piece))
            << level << " " << strategy << " " << piece;
        ASSERT_EQ(out, data);
      }
  Bytes out;  // literal 200: a 9-bit fixed code
  ASSERT_TRUE(InflateAll(Zlib({200}, 9, Z_FIXED), &out, 1));
  EXPECT_EQ(out, Bytes{200});
}

TEST(Inflate, NeverWritesPastTheLimitAndFailsOnStreamsCutShort) {
  const Bytes data = Sample(5000), stream = Zlib(data);
  for (int level : {0, 6}) {
    Bytes out;
    EXPECT_FALSE(InflateAll(Zlib(data, level), &out, 4999));
    EXPECT_LE(out.size(), 4999u);
  }
  for (size_t keep : {size_t(0), size_t(1), size_t(2), stream.size() / 2, stream.size() - 1}) {
    Bytes out;
    EXPECT_FALSE(InflateAll(Bytes(stream.begin(), stream.begin() + keep), &out, data.size())) << keep;
  }
}

TEST(Inflate, MatchesEndingExactlyAtTheEndOfTheRoom) {
  Bytes pattern;  // a 3-byte pattern: matches of 258 at distance 3, the last one ending on the last byte
  for (int i = 0; i < 999; ++i) pattern.push_back(static_cast<uint8_t>("abc"[i % 3]));
  for (const Bytes& data : {Bytes(1000, 'x'), pattern}) {
    Bytes out;
    ASSERT_TRUE(InflateAll(Zlib(data), &out, data.size()));
    EXPECT_EQ(out, data);
    EXPECT_FALSE(InflateAll(Zlib(data), &out, data.size() - 1));
    EXPECT_LE(out.size(), data.size() - 1);
  }
}

// A hand-made zlib stream, bits least significant first (so Huffman codes reversed).
struct BitWriter {
  Bytes bytes = {0x78, 0x01};
  int used = 8;
  BitWriter& Put(uint32_t value, int count) {
    for (int i = 0; i < count; ++i) {
      if (used == 8) bytes.push_back(0), used = 0;
      bytes.back() |= ((value >> i) & 1) << used++;
    }
    return *this;
  }
};

TEST(Inflate, DistanceBeforeTheStartFails) {
  // Final fixed block: length 3 (code 0000001), distance 1 with nothing written yet, end.
  const Bytes stream = BitWriter().Put(1, 1).Put(1, 2).Put(0x40, 7).Put(0, 5).Put(0, 7).bytes;
  Bytes out;
  EXPECT_FALSE(InflateAll(stream, &out, 100));
  EXPECT_TRUE(out.empty());
}

TEST(Inflate, EmptyStoredBlocksAfterTheEndDoNotHang) {
  Bytes out;  // a stored block, not final: the zero bits after it read as endless empty stored blocks
  EXPECT_FALSE(InflateAll(BitWriter().Put(0, 3).bytes, &out, 100));
}

}  // namespace
