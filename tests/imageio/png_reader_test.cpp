// ReadPng against libpng: files libpng writes in every colour type, depth,
// interlace method, filter and chunking, decoded by both.
#include <gtest/gtest.h>
#include <png.h>

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
  const std::vector<uint8_t> file = WritePngWithLibpng(layout, PackedRows(layout));
  imageio::ReadPng reader;
  std::string error;
  const auto image = DecodeBytes(reader, file, &error);
  ASSERT_TRUE(image) << error;
  EXPECT_EQ(reader.colourType(), layout.colour_type);
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

}  // namespace
