// demotool decode: its PAM files against djpeg and libpng.
#include <gtest/gtest.h>

#include <cstdlib>

#include "files.h"

namespace {

// Runs demotool decode; the PAM's RGBA pixels after checking its header.
std::vector<uint8_t> DecodedRgba(const std::string& image, int width, int height) {
  const std::string pam = image + ".pam";
  EXPECT_TRUE(Shell(std::string(DEMOTOOL) + " decode " + image + " " + pam + " > " + pam + ".out"));
  const std::vector<uint8_t> bytes = ReadBinary(pam);
  const std::string header = "P7\nWIDTH " + std::to_string(width) + "\nHEIGHT " + std::to_string(height) +
                             "\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n";
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + std::min(bytes.size(), header.size())), header);
  EXPECT_EQ(bytes.size(), header.size() + size_t(width) * height * 4);
  return std::vector<uint8_t>(bytes.begin() + std::min(bytes.size(), header.size()), bytes.end());
}

TEST(DemotoolDecode, JpegMatchesDjpegAndIsOpaque) {
  for (const bool grey : {false, true}) {
    const std::string stem = grey ? "tool_grey" : "tool";
    WritePnm(stem + ".pnm", PhotoLike(45, 31, 3));
    ASSERT_TRUE(Shell("cjpeg " + std::string(grey ? "-grayscale" : "-sample 2x2 -restart 2B") + " -outfile " + stem +
                      ".jpg " + stem + ".pnm"));
    ASSERT_TRUE(Shell("djpeg -dct float -nosmooth -pnm -outfile " + stem + ".ref " + stem + ".jpg"));
    const std::vector<uint8_t> rgba = DecodedRgba(stem + ".jpg", 45, 31);
    const Pnm reference = ReadPnm(stem + ".ref");
    ASSERT_EQ(rgba.size(), 45 * 31 * 4u);
    for (size_t i = 0; i < 45 * 31; ++i) {
      for (int c = 0; c < 3; ++c) {
        const int expected = reference.samples[grey ? i : 3 * i + c];  // grey matches exactly
        ASSERT_LE(std::abs(rgba[4 * i + c] - expected), grey ? 0 : 4) << stem << " " << i;
      }
      ASSERT_EQ(rgba[4 * i + 3], 255);
    }
  }
}

TEST(DemotoolDecode, PngOfEveryColourTypeMatchesLibpng) {
  for (const auto& [colour_type, depth] : {std::pair{0, 4}, {2, 16}, {3, 8}, {4, 8}, {6, 8}, {6, 16}}) {
    PngLayout layout{29, 13, colour_type, depth, true};
    layout.palette_entries = colour_type == 3 ? 100 : 0;
    const std::vector<uint8_t> file = WritePngWithLibpng(layout, PackedRows(layout));
    const std::string name = "tool_" + std::to_string(colour_type) + "_" + std::to_string(depth) + ".png";
    WriteBinary(name, file);
    EXPECT_EQ(DecodedRgba(name, 29, 13), DecodeWithLibpng(file, true)) << name;
  }
}

TEST(DemotoolDecode, DecodeErrorPrintsTheMessageAndExits1) {
  WriteBinary("tool_bad.png", PngFile({Header(2, 1, 8, 5), Chunk("IEND", {})}));
  const int status = std::system((std::string(DEMOTOOL) + " decode tool_bad.png tool_bad.pam > tool_bad.out").c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  const std::vector<uint8_t> out = ReadBinary("tool_bad.out");
  EXPECT_EQ(std::string(out.begin(), out.end()), "Unknown image type.\n");
}

}  // namespace
