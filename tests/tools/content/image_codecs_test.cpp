// Encoded images decoded again by libjpeg and libpng.
#include "tools/content/image_codecs.h"

#include <cstdio>  // before jpeglib.h
#include <jpeglib.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/support/png_picture.h"
#include "tests/tools/files.h"

namespace {

RgbImage Gradient(int w, int h) {
  return ShadeImage(w, h, [](float u, float v) { return Colour{u, v, 0.5f * (u + v)}; });
}

std::vector<uint8_t> DecodeJpeg(const std::vector<uint8_t>& bytes, int& w, int& h) {
  jpeg_decompress_struct info;
  jpeg_error_mgr err;
  info.err = jpeg_std_error(&err);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  jpeg_start_decompress(&info);
  w = int(info.output_width);
  h = int(info.output_height);
  std::vector<uint8_t> pixels(size_t(w) * h * info.output_components);
  for (JSAMPROW row; info.output_scanline < info.output_height; jpeg_read_scanlines(&info, &row, 1))
    row = pixels.data() + size_t(info.output_scanline) * w * info.output_components;
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return pixels;
}

TEST(EncodeJpeg, DecodesToTheSameSizeAndCloseColoursAndRepeatsItsBytes) {
  const RgbImage image = Gradient(64, 32);
  int w = 0, h = 0;
  const auto pixels = DecodeJpeg(EncodeJpeg(image, 90), w, h);
  ASSERT_EQ(w, 64);
  ASSERT_EQ(h, 32);
  double error = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const Colour& c = image.At(x, y);
      const uint8_t* p = &pixels[(size_t(y) * w + x) * 3];
      error += std::abs(p[0] - ToByte(c.r)) + std::abs(p[1] - ToByte(c.g)) + std::abs(p[2] - ToByte(c.b));
    }
  EXPECT_LT(error / (w * h * 3), 2.0);
  EXPECT_EQ(EncodeJpeg(Gradient(40, 40), 88), EncodeJpeg(Gradient(40, 40), 88));
}

TEST(EncodeGrayPng, IsAnEightBitGreyImageWithTheExactSamples) {
  GrayImage mask(13, 7);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 13; ++x) mask.At(x, y) = float((x * 7 + y * 11) % 256) / 255.0f;
  WriteAll("mask.png", EncodeGrayPng(mask));
  const PngPicture png = ReadPngPicture("mask.png");
  ASSERT_EQ(png.width, 13u);
  ASSERT_EQ(png.height, 7u);
  EXPECT_EQ(png.format, unsigned(PNG_FORMAT_GRAY));
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 13; ++x) {
      const int s = (x * 7 + y * 11) % 256;
      EXPECT_EQ(png.At(x, y), (std::array<int, 3>{s, s, s})) << x << "," << y;
    }
}

}  // namespace
