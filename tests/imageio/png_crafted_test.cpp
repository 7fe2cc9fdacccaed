// ReadPng on hand-made files: its messages, and the cases libpng cannot write.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "image_files.h"
#include "imageio/png_reader.h"
#include "png_files.h"

namespace {

using imageio::ImageData;
using imageio::PaletteImage;
using imageio::RGBA8;

std::string Error(const std::vector<uint8_t>& bytes) {
  imageio::ReadPng reader;
  return DecodeError(reader, bytes);
}

// One 2x1 image of the colour type with 8-bit samples: filter byte 0 rows.
std::vector<uint8_t> Tiny(int colour_type, const std::vector<uint8_t>& row, std::vector<uint8_t> palette = {}) {
  std::vector<uint8_t> scanline(row.size() + 1);
  std::copy(row.begin(), row.end(), scanline.begin() + 1);
  std::vector<std::vector<uint8_t>> chunks = {Header(2, 1, 8, colour_type)};
  if (!palette.empty()) chunks.push_back(Chunk("PLTE", palette));
  chunks.push_back(Chunk("IDAT", Zlib(scanline)));
  chunks.push_back(Chunk("IEND", {}));
  return PngFile(chunks);
}

TEST(CraftedPng, EveryByteOfTheSignatureCounts) {
  for (int i = 0; i < 8; ++i) {
    std::vector<uint8_t> file = Tiny(0, {1, 2});
    file[i] ^= 0x20;
    EXPECT_EQ(Error(file), "Incorrect signature") << "byte " << i;
  }
}

TEST(CraftedPng, HeaderChecks) {
  auto with_header = [](std::vector<uint8_t> header) { return Error(PngFile({header, Chunk("IEND", {})})); };
  std::vector<uint8_t> header = Header(2, 1, 8, 0);
  header[8 + 10] = 1;
  EXPECT_EQ(with_header(header), "Unknown compression type");
  header = Header(2, 1, 8, 0);
  header[8 + 11] = 1;
  EXPECT_EQ(with_header(header), "Unknown filter type");
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

TEST(CraftedPng, PaletteLengthNotAMultipleOfThree) {
  EXPECT_EQ(Error(Tiny(3, {0, 1}, {1, 2, 3, 4})), "Palette size not 0 mod 3.");
}

TEST(CraftedPng, PaletteImageWithoutPalette) { EXPECT_EQ(Error(Tiny(3, {0, 1})), "No palette for indexed data."); }

TEST(CraftedPng, IndexPastThePaletteIsBlack) {
  imageio::ReadPng reader;
  const auto image = DecodeBytes(reader, Tiny(3, {1, 9}, {10, 20, 30, 40, 50, 60}));
  auto* indexed = dynamic_cast<PaletteImage*>(image.get());
  ASSERT_TRUE(indexed);
  EXPECT_EQ(SamplesOf(indexed, 3), (std::vector<uint8_t>{40, 50, 60, 0, 0, 0}));
}

TEST(CraftedPng, ChunksEndingWithoutIend) {
  std::vector<uint8_t> file = Tiny(0, {1, 2});
  file.resize(file.size() - 12);
  EXPECT_EQ(Error(file), "End of file, but no image data.");
}

TEST(CraftedPng, ChunkLengthPastTheEndOfTheFile) {
  std::vector<uint8_t> file = PngFile({Header(2, 1, 8, 0), Chunk("tEXt", {1, 2, 3})});
  file[33 + 3] = 0xFF;  // the tEXt length
  EXPECT_EQ(Error(file), "End of file, but no image data.");
}

TEST(CraftedPng, StreamWithoutZlibHeader) {
  std::vector<uint8_t> deflate = Zlib({0, 1, 2});
  deflate.erase(deflate.begin(), deflate.begin() + 2);
  EXPECT_EQ(Error(PngFile({Header(2, 1, 8, 0), Chunk("IDAT", deflate), Chunk("IEND", {})})), "Uncompression failed.");
}

TEST(CraftedPng, WrongAdler32) {
  std::vector<uint8_t> stream = Zlib({0, 1, 2});
  stream.back() ^= 1;
  EXPECT_EQ(Error(PngFile({Header(2, 1, 8, 0), Chunk("IDAT", stream), Chunk("IEND", {})})), "Uncompression failed.");
}

TEST(CraftedPng, MoreOrLessDataThanTheImageHolds) {
  for (const std::vector<uint8_t>& scanlines : {std::vector<uint8_t>{0, 1}, std::vector<uint8_t>{0, 1, 2, 0}}) {
    const auto file = PngFile({Header(2, 1, 8, 0), Chunk("IDAT", Zlib(scanlines)), Chunk("IEND", {})});
    EXPECT_EQ(Error(file), "Uncompression failed.");
  }
}

TEST(CraftedPng, EveryFilterTypeInOneImage) {
  // Ten rows of 12 grey samples, row y filtered with type y % 5.
  const int width = 12;
  const int height = 10;
  std::vector<uint8_t> samples(width * height);
  for (int i = 0; i < width * height; ++i) samples[i] = static_cast<uint8_t>(i * 29 % 251);
  std::vector<uint8_t> scanlines;
  for (int y = 0; y < height; ++y) {
    const int type = y % 5;
    scanlines.push_back(static_cast<uint8_t>(type));
    for (int x = 0; x < width; ++x) {
      const int a = x ? samples[y * width + x - 1] : 0;
      const int b = y ? samples[(y - 1) * width + x] : 0;
      const int c = x && y ? samples[(y - 1) * width + x - 1] : 0;
      const int p = a + b - c;
      const int paeth = (std::abs(p - a) <= std::abs(p - b) && std::abs(p - a) <= std::abs(p - c)) ? a
                        : std::abs(p - b) <= std::abs(p - c)                                       ? b
                                                                                                   : c;
      const int predictor[5] = {0, a, b, (a + b) / 2, paeth};
      scanlines.push_back(static_cast<uint8_t>(samples[y * width + x] - predictor[type]));
    }
  }
  const auto file = PngFile({Header(width, height, 8, 0), Chunk("IDAT", Zlib(scanlines)), Chunk("IEND", {})});
  imageio::ReadPng reader;
  const auto image = DecodeBytes(reader, file);
  ASSERT_TRUE(image);
  EXPECT_EQ(SamplesOf(image.get(), 0), samples);
  EXPECT_EQ(DecodeWithLibpng(file), samples);
}

TEST(CraftedPng, RgbIsStoredBlueFirstWithAlphaZero) {
  imageio::ReadPng reader;
  const auto image = DecodeBytes(reader, Tiny(2, {10, 20, 30, 40, 50, 60}));
  auto* rgba = dynamic_cast<ImageData<RGBA8>*>(image.get());
  ASSERT_TRUE(rgba);
  const uint8_t* bytes = reinterpret_cast<const uint8_t*>(rgba->data());
  EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + 8), (std::vector<uint8_t>{30, 20, 10, 0, 60, 50, 40, 0}));
}

TEST(CraftedPng, RgbaIsStoredBlueFirstWithItsAlpha) {
  imageio::ReadPng reader;
  const auto image = DecodeBytes(reader, Tiny(6, {10, 20, 30, 40, 50, 60, 70, 80}));
  auto* rgba = dynamic_cast<ImageData<RGBA8>*>(image.get());
  ASSERT_TRUE(rgba);
  const uint8_t* bytes = reinterpret_cast<const uint8_t*>(rgba->data());
  EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + 8), (std::vector<uint8_t>{30, 20, 10, 40, 70, 60, 50, 80}));
}

TEST(CraftedPng, PaletteIsThePlteBytes) {
  imageio::ReadPng reader;
  const auto image = DecodeBytes(reader, Tiny(3, {0, 1}, {1, 2, 3, 4, 5, 6}));
  auto* indexed = dynamic_cast<PaletteImage*>(image.get());
  ASSERT_TRUE(indexed);
  const uint8_t* palette = reinterpret_cast<const uint8_t*>(indexed->palette());
  EXPECT_EQ(std::vector<uint8_t>(palette, palette + 6), (std::vector<uint8_t>{1, 2, 3, 4, 5, 6}));
}

}  // namespace
