// ReadPng against libpng: files that libpng writes in every colour type, bit
// depth, interlace method and filter, read back by libpng and by us.
#include <gtest/gtest.h>

#include <png.h>

#include <string>

#include "image_files.h"
#include "imageio/png_reader.h"
#include "png_files.h"

namespace {

struct PngCase {
  const char* name;
  PngLayout layout;
};

void PrintTo(const PngCase& c, std::ostream* os) { *os << c.name; }

class PngVersusLibpng : public testing::TestWithParam<PngCase> {};

TEST_P(PngVersusLibpng, PixelsAreIdentical) {
  const PngLayout& layout = GetParam().layout;
  const std::vector<uint8_t> file = WritePngWithLibpng(layout, PackedRows(layout));
  const std::vector<uint8_t> expected = DecodeWithLibpng(file);

  imageio::ReadPng reader;
  std::string error;
  const auto image = DecodeBytes(reader, file, &error);
  ASSERT_TRUE(image) << error;
  EXPECT_EQ(reader.colourType(), layout.colour_type);
  EXPECT_EQ(image->width(), static_cast<int>(layout.width));
  EXPECT_EQ(image->height(), static_cast<int>(layout.height));
  EXPECT_EQ(SamplesOf(image.get(), layout.colour_type), expected);
}

PngLayout Plain(int colour_type, int depth, bool interlaced) {
  PngLayout s{37, 23, colour_type, depth};
  s.interlaced = interlaced;
  s.palette_entries = colour_type == 3 ? (depth == 8 ? 200 : 1 << depth) : 0;
  return s;
}

PngLayout Filtered(int colour_type, int depth, int filters) {
  PngLayout s = Plain(colour_type, depth, false);
  s.filters = filters;
  return s;
}

PngLayout Chunked(int compression, size_t idat_size) {
  PngLayout s = Plain(2, 8, false);
  s.compression = compression;
  s.idat_size = idat_size;
  return s;
}

const PngCase kCases[] = {
    {"grey1", Plain(0, 1, false)},       {"grey2", Plain(0, 2, false)},
    {"grey4", Plain(0, 4, false)},       {"grey8", Plain(0, 8, false)},
    {"grey16", Plain(0, 16, false)},     {"rgb8", Plain(2, 8, false)},
    {"rgb16", Plain(2, 16, false)},      {"palette1", Plain(3, 1, false)},
    {"palette2", Plain(3, 2, false)},    {"palette4", Plain(3, 4, false)},
    {"palette8", Plain(3, 8, false)},    {"grey_alpha8", Plain(4, 8, false)},
    {"grey_alpha16", Plain(4, 16, false)}, {"rgba8", Plain(6, 8, false)},
    {"rgba16", Plain(6, 16, false)},
    {"grey1_adam7", Plain(0, 1, true)},  {"grey2_adam7", Plain(0, 2, true)},
    {"grey4_adam7", Plain(0, 4, true)},  {"grey8_adam7", Plain(0, 8, true)},
    {"grey16_adam7", Plain(0, 16, true)}, {"rgb8_adam7", Plain(2, 8, true)},
    {"rgb16_adam7", Plain(2, 16, true)}, {"palette1_adam7", Plain(3, 1, true)},
    {"palette4_adam7", Plain(3, 4, true)}, {"palette8_adam7", Plain(3, 8, true)},
    {"grey_alpha8_adam7", Plain(4, 8, true)}, {"grey_alpha16_adam7", Plain(4, 16, true)},
    {"rgba8_adam7", Plain(6, 8, true)},  {"rgba16_adam7", Plain(6, 16, true)},
    {"grey8_none", Filtered(0, 8, PNG_FILTER_NONE)},   {"grey8_sub", Filtered(0, 8, PNG_FILTER_SUB)},
    {"grey8_up", Filtered(0, 8, PNG_FILTER_UP)},       {"grey8_average", Filtered(0, 8, PNG_FILTER_AVG)},
    {"grey8_paeth", Filtered(0, 8, PNG_FILTER_PAETH)}, {"rgb8_sub", Filtered(2, 8, PNG_FILTER_SUB)},
    {"rgb8_average", Filtered(2, 8, PNG_FILTER_AVG)},  {"rgb8_paeth", Filtered(2, 8, PNG_FILTER_PAETH)},
    {"rgba16_sub", Filtered(6, 16, PNG_FILTER_SUB)},   {"rgba16_average", Filtered(6, 16, PNG_FILTER_AVG)},
    {"rgba16_paeth", Filtered(6, 16, PNG_FILTER_PAETH)}, {"grey2_paeth", Filtered(0, 2, PNG_FILTER_PAETH)},
    {"grey_alpha8_up", Filtered(4, 8, PNG_FILTER_UP)},
    {"stored_blocks_in_small_chunks", Chunked(0, 100)}, {"many_small_chunks", Chunked(9, 64)},
};

INSTANTIATE_TEST_SUITE_P(Libpng, PngVersusLibpng, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<PngCase>& info) { return std::string(info.param.name); });

TEST(PngChunks, StoredBlocksCrossChunkBoundaries) {
  const PngLayout layout = Chunked(0, 100);
  const std::vector<uint8_t> file = WritePngWithLibpng(layout, PackedRows(layout));
  // 23 rows of 112 bytes in 100-byte chunks: stored blocks span several.
  EXPECT_GT(CountChunks(file, "IDAT"), 20);
}

TEST(PngFromDisk, DecodesAFileWrittenByLibpng) {
  const PngLayout layout = Plain(6, 8, false);
  const std::vector<uint8_t> file = WritePngWithLibpng(layout, PackedRows(layout));
  WriteBinary("from_disk.png", file);
  imageio::ReadPng reader;
  const auto image = DecodeFile(reader, "from_disk.png");
  ASSERT_TRUE(image);
  EXPECT_EQ(SamplesOf(image.get(), 6), DecodeWithLibpng(file));
}

}  // namespace
