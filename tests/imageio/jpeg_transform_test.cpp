// The JPEG reader's vector paths against their plain forms: the AVX2 and portable IDCTs, SIMD and scalar YCbCr.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "imageio/jpeg_idct_avx2.h"
#include "imageio/jpeg_transform.h"

namespace {

using imageio::JpegSampleRounding;

// A flat block: only the DC coefficient, whose value times its factor over 8 is the level-shifted sample.
TEST(JpegInverseDct, FlatBlockGivesItsLevel) {
  int32_t quant[64];
  std::fill_n(quant, 64, 8);
  float dequant[64];
  imageio::BuildJpegDequantTable(quant, dequant);
  const struct { int16_t dc; JpegSampleRounding rounding; uint8_t sample; } cases[] = {
      {10, JpegSampleRounding::kNearest, 138},  {-10, JpegSampleRounding::kTruncate, 118},
      {200, JpegSampleRounding::kNearest, 255}, {-200, JpegSampleRounding::kTruncate, 0},
  };
  for (const auto& c : cases) {
    int16_t block[64] = {c.dc};
    uint8_t out[8 * 10];
    imageio::JpegInverseDctPortable(block, dequant, c.rounding, out, 10);
    for (int r = 0; r < 8; ++r)
      for (int x = 0; x < 8; ++x) EXPECT_EQ(out[r * 10 + x], c.sample) << c.dc;
  }
}

// Both IDCTs do the same float operations in the same order: the same samples, bit for bit.
TEST(JpegInverseDct, Avx2MatchesPortable) {
#ifdef IMAGEIO_JPEG_AVX2
  if (!imageio::JpegHasAvx2()) GTEST_SKIP() << "no AVX2 here";
  std::mt19937 random(28);
  for (int trial = 0; trial < 20000; ++trial) {
    int32_t quant[64];
    int16_t block[64];
    for (int i = 0; i < 64; ++i) {
      quant[i] = 1 + random() % 99;
      block[i] = random() % 3 ? 0 : static_cast<int16_t>(static_cast<int>(random() % 401) - 200) / (1 + i / 8);
    }
    float dequant[64];
    imageio::BuildJpegDequantTable(quant, dequant);
    for (JpegSampleRounding rounding : {JpegSampleRounding::kNearest, JpegSampleRounding::kTruncate}) {
      uint8_t portable[64], avx2[64];
      imageio::JpegInverseDctPortable(block, dequant, rounding, portable, 8);
      imageio::JpegInverseDctAvx2(block, dequant, rounding, avx2, 8);
      ASSERT_EQ(std::vector<uint8_t>(portable, portable + 64), std::vector<uint8_t>(avx2, avx2 + 64)) << trial;
    }
  }
#else
  GTEST_SKIP() << "not an x86-64 build";
#endif
}

// Sixteen pixels at once (the SIMD path where there is one) against one at a time (the scalar formulas).
TEST(JpegYCbCrRow, WholeRowMatchesPixelByPixel) {
  uint8_t y[16], cb[16], cr[16];
  imageio::RGBA8 row[16], single[16];
  for (int luma = 0; luma < 256; luma += 3) {
    for (int blue = 0; blue < 256; ++blue) {
      for (int i = 0; i < 16; ++i) y[i] = uint8_t(luma), cb[i] = uint8_t(blue), cr[i] = uint8_t(i * 17);
      imageio::JpegYCbCrRow(y, cb, cr, 16, row);
      for (int i = 0; i < 16; ++i) imageio::JpegYCbCrRow(y + i, cb + i, cr + i, 1, single + i);
      for (int i = 0; i < 16; ++i)
        ASSERT_TRUE(row[i].red == single[i].red && row[i].green == single[i].green && row[i].blue == single[i].blue &&
                    row[i].alpha == 255)
            << luma << " " << blue << " " << i * 17;
    }
  }
}

}  // namespace
