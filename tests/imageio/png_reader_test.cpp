// ReadPng against libpng on files it writes in every colour type, depth, interlace method, filter and
// chunking; and on hand-made files: its messages, and the cases libpng cannot write.
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>

#include "files.h"
#include "imageio/png_reader.h"

namespace {

struct PngCase {
  std::string name;
  PngLayout layout;
};

void PrintTo(const PngCase& c, std::ostream* os) { *os << c.name; }

class PngVersusLibpng : public testing::TestWithParam<PngCase> {};

TEST_P(PngVersusLibpng, PixelsAreIdentical) {
  const PngLayout& layout = GetParam().layout;
  const Bytes file = WritePngWithLibpng(layout, PackedRows(layout));
  imageio::ReadPng reader;
  std::string error;
  const auto image = DecodeBytes(reader, file, &error);
  ASSERT_TRUE(image) << error;
  EXPECT_EQ(reader.ColourType(), layout.colour_type);
  EXPECT_EQ(image->width(), int(layout.width));
  EXPECT_EQ(image->height(), int(layout.height));
  EXPECT_EQ(SamplesOf(image.get(), layout.colour_type), DecodeWithLibpng(file));
}

std::vector<PngCase> Cases() {
  const char* kinds[] = {"grey", "", "rgb", "palette", "grey_alpha", "", "rgba"};
  const std::pair<int, std::vector<int>> depths[] = {{0, {1, 2, 4, 8, 16}}, {2, {8, 16}}, {3, {1, 2, 4, 8}},
                                                     {4, {8, 16}}, {6, {8, 16}}};
  const std::pair<int, const char*> filters[] = {{PNG_FILTER_NONE, "none"}, {PNG_FILTER_SUB, "sub"},
                                                 {PNG_FILTER_UP, "up"}, {PNG_FILTER_AVG, "average"},
                                                 {PNG_FILTER_PAETH, "paeth"}, {-1, "any"}};
  std::vector<PngCase> cases;
  for (const auto& [type, type_depths] : depths)
    for (int depth : type_depths)
      for (bool adam7 : {false, true})
        for (const auto& [filter, filter_name] : filters) {
          PngLayout s{37, 23, type, depth, adam7, filter};
          s.palette_entries = type == 3 ? (depth == 8 ? 200 : 1 << depth) : 0;
          cases.push_back({kinds[type] + std::to_string(depth) + (adam7 ? "_adam7_" : "_") + filter_name, s});
        }
  // Stored blocks spanning several 100-byte IDATs, and many tiny IDATs.
  cases.push_back({"stored_blocks_in_small_chunks", {37, 23, 2, 8, false, -1, 0, 100}});
  cases.push_back({"many_small_chunks", {37, 23, 2, 8, false, -1, 9, 64}});
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Libpng, PngVersusLibpng, testing::ValuesIn(Cases()),
                         [](const testing::TestParamInfo<PngCase>& info) { return info.param.name; });

std::string Error(const Bytes& bytes) { imageio::ReadPng reader; return DecodeError(reader, bytes); }

// A 2x1 image with 8-bit samples, rows with filter byte 0.
Bytes Tiny(int colour_type, const Bytes& row, const Bytes& palette = {}) {
  Bytes scanline(row.size() + 1);
  std::copy(row.begin(), row.end(), scanline.begin() + 1);
  const Bytes header = Header(2, 1, 8, colour_type), idat = Chunk("IDAT", Zlib(scanline)), end = Chunk("IEND", {});
  return palette.empty() ? PngFile({header, idat, end}) : PngFile({header, Chunk("PLTE", palette), idat, end});
}

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
  EXPECT_EQ(with_header(Header(2, 1, 3, 0)), "Unsupported bit depth.");
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
    EXPECT_EQ(Error(PngFile({Header(2, 1, 8, 0), Chunk("IDAT", idat), Chunk("IEND", {})})), "Uncompression failed.");
}

TEST(CraftedPng, LayoutOfPixelsAndPalette) {
  imageio::ReadPng rgb_reader, reader;
  const auto rgb = DecodeBytes(rgb_reader, Tiny(2, {10, 20, 30, 40, 50, 60}));
  const auto image = DecodeBytes(reader, Tiny(3, {1, 9}, {1, 2, 3, 4, 5, 6}));
  ASSERT_TRUE(rgb);
  EXPECT_EQ(SamplesOf(rgb.get(), 6), (Bytes{10, 20, 30, 0, 40, 50, 60, 0}));  // RGBA8 with alpha 0
  auto* indexed = dynamic_cast<imageio::PaletteImage*>(image.get());
  ASSERT_TRUE(indexed);
  const uint8_t* palette = reinterpret_cast<const uint8_t*>(indexed->palette());
  EXPECT_EQ(Bytes(palette, palette + 6), (Bytes{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(SamplesOf(indexed, 3), (Bytes{4, 5, 6, 0, 0, 0}));  // an index past the palette is black
}

}  // namespace
