// ReadPng on hand-made files: its messages, and the cases libpng cannot write.
#include <gtest/gtest.h>

#include <algorithm>

#include "files.h"
#include "imageio/png_reader.h"

namespace {

using Bytes = std::vector<uint8_t>;

std::string Error(const Bytes& bytes) {
  imageio::ReadPng reader;
  return DecodeError(reader, bytes);
}

// A 2x1 image with 8-bit samples, rows with filter byte 0.
Bytes Tiny(int colour_type, const Bytes& row, const Bytes& palette = {}) {
  Bytes scanline(row.size() + 1);
  std::copy(row.begin(), row.end(), scanline.begin() + 1);
  std::vector<Bytes> chunks = {Header(2, 1, 8, colour_type)};
  if (!palette.empty()) chunks.push_back(Chunk("PLTE", palette));
  chunks.push_back(Chunk("IDAT", Zlib(scanline)));
  chunks.push_back(Chunk("IEND", {}));
  return PngFile(chunks);
}

Bytes Grey2x1(const Bytes& idat) { return PngFile({Header(2, 1, 8, 0), Chunk("IDAT", idat), Chunk("IEND", {})}); }

TEST(CraftedPng, EveryByteOfTheSignatureCounts) {
  for (int i = 0; i < 8; ++i) {
    Bytes file = Tiny(0, {1, 2});
    file[i] ^= 0x20;
    EXPECT_EQ(Error(file), "Incorrect signature") << "byte " << i;
  }
}

TEST(CraftedPng, HeaderChecks) {
  auto with_header = [](Bytes header, int at = 0, uint8_t value = 0) {
    if (at) header[8 + at] = value;
    return Error(PngFile({header, Chunk("IEND", {})}));
  };
  EXPECT_EQ(with_header(Header(2, 1, 8, 0), 10, 1), "Unknown compression type");
  EXPECT_EQ(with_header(Header(2, 1, 8, 0), 11, 1), "Unknown filter type");
  EXPECT_EQ(with_header(Header(2, 1, 4, 2)), "bitdepth < 8, but RGB-data");
  EXPECT_EQ(with_header(Header(2, 1, 16, 3)), "bitdepth > 8, but indexed data");
  EXPECT_EQ(with_header(Header(2, 1, 4, 4)), "bitdepth < 8, but grayscale data");
  EXPECT_EQ(with_header(Header(2, 1, 2, 6)), "bitdepth < 8, but RGBA-data");
  EXPECT_EQ(with_header(Header(2, 1, 8, 5)), "Unknown image type.");
  EXPECT_EQ(with_header(Header(2, 1, 8, 1)), "Unknown image type.");
  EXPECT_EQ(with_header(Header(2, 1, 3, 0)), "Unsupported bit depth.");
  EXPECT_EQ(with_header(Header(2, 1, 12, 2)), "Unsupported bit depth.");
  EXPECT_EQ(with_header(Header(2, 1, 8, 0, 2)), "Unknown interlace method.");
  EXPECT_EQ(with_header(Header(16385, 1, 8, 0)), "Image is larger than 16384 pixels.");
}

TEST(CraftedPng, BadChunksAndStreams) {
  EXPECT_EQ(Error(Tiny(3, {0, 1}, {1, 2, 3, 4})), "Palette size not 0 mod 3.");
  EXPECT_EQ(Error(Tiny(3, {0, 1})), "No palette for indexed data.");
  Bytes no_iend = Tiny(0, {1, 2});
  no_iend.resize(no_iend.size() - 12);
  EXPECT_EQ(Error(no_iend), "End of file, but no image data.");
  Bytes long_chunk = PngFile({Header(2, 1, 8, 0), Chunk("tEXt", {1, 2, 3})});
  long_chunk[33 + 3] = 0xFF;  // the tEXt length
  EXPECT_EQ(Error(long_chunk), "End of file, but no image data.");
  Bytes raw_deflate = Zlib({0, 1, 2}), bad_adler = Zlib({0, 1, 2});
  raw_deflate.erase(raw_deflate.begin(), raw_deflate.begin() + 2);
  bad_adler.back() ^= 1;
  for (const Bytes& idat : {raw_deflate, bad_adler, Zlib({0, 1}), Zlib({0, 1, 2, 0})})
    EXPECT_EQ(Error(Grey2x1(idat)), "Uncompression failed.");
}

TEST(CraftedPng, EveryFilterTypeInOneImage) {
  const int width = 12, height = 10;  // row y filtered with type y % 5
  Bytes samples(width * height), scanlines;
  for (int i = 0; i < width * height; ++i) samples[i] = static_cast<uint8_t>(i * 29 % 251);
  for (int y = 0; y < height; ++y) {
    scanlines.push_back(static_cast<uint8_t>(y % 5));
    for (int x = 0; x < width; ++x) {
      const int a = x ? samples[y * width + x - 1] : 0, b = y ? samples[(y - 1) * width + x] : 0;
      const int c = x && y ? samples[(y - 1) * width + x - 1] : 0, p = a + b - c;
      const int paeth = std::abs(p - a) <= std::abs(p - b) && std::abs(p - a) <= std::abs(p - c) ? a
                        : std::abs(p - b) <= std::abs(p - c) ? b : c;
      const int predictor[5] = {0, a, b, (a + b) / 2, paeth};
      scanlines.push_back(static_cast<uint8_t>(samples[y * width + x] - predictor[y % 5]));
    }
  }
  const auto file = PngFile({Header(width, height, 8, 0), Chunk("IDAT", Zlib(scanlines)), Chunk("IEND", {})});
  imageio::ReadPng reader;
  const auto image = DecodeBytes(reader, file);
  ASSERT_TRUE(image);
  EXPECT_EQ(SamplesOf(image.get(), 0), samples);
  EXPECT_EQ(DecodeWithLibpng(file), samples);
}

TEST(CraftedPng, LayoutOfPixelsAndPalette) {
  auto raw_pixels = [](const Bytes& file) {
    imageio::ReadPng reader;
    const auto image = DecodeBytes(reader, file);
    auto* rgba = dynamic_cast<imageio::ImageData<imageio::RGBA8>*>(image.get());
    const uint8_t* p = rgba ? reinterpret_cast<const uint8_t*>(rgba->data()) : nullptr;
    return p ? Bytes(p, p + 8) : Bytes{};
  };
  EXPECT_EQ(raw_pixels(Tiny(2, {10, 20, 30, 40, 50, 60})), (Bytes{30, 20, 10, 0, 60, 50, 40, 0}));
  EXPECT_EQ(raw_pixels(Tiny(6, {10, 20, 30, 40, 50, 60, 70, 80})), (Bytes{30, 20, 10, 40, 70, 60, 50, 80}));
  imageio::ReadPng reader;
  const auto image = DecodeBytes(reader, Tiny(3, {1, 9}, {1, 2, 3, 4, 5, 6}));
  auto* indexed = dynamic_cast<imageio::PaletteImage*>(image.get());
  ASSERT_TRUE(indexed);
  const uint8_t* palette = reinterpret_cast<const uint8_t*>(indexed->palette());
  EXPECT_EQ(Bytes(palette, palette + 6), (Bytes{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(SamplesOf(indexed, 3), (Bytes{4, 5, 6, 0, 0, 0}));  // an index past the palette is black
}

}  // namespace
