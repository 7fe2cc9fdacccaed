// demotool decode: its PAM files against djpeg and libpng, and its exit status on a bad file.
#include <gtest/gtest.h>

#include "files.h"

namespace {

// Runs demotool decode; the PAM's RGBA pixels after checking its header.
Bytes DecodedRgba(const std::string& image, int width, int height) {
  const std::string pam = image + ".pam";
  EXPECT_TRUE(Shell(std::string(DEMOTOOL) + " decode " + image + " " + pam + " > " + pam + ".out"));
  const Bytes bytes = ReadBinary(pam);
  const std::string header = "P7\nWIDTH " + std::to_string(width) + "\nHEIGHT " + std::to_string(height) +
                             "\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n";
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + std::min(bytes.size(), header.size())), header);
  EXPECT_EQ(bytes.size(), header.size() + size_t(width) * height * 4);
  return Bytes(bytes.begin() + std::min(bytes.size(), header.size()), bytes.end());
}

TEST(DemotoolDecode, GreyJpegMatchesDjpegAndIsOpaque) {
  Bytes expected;
  for (uint8_t grey : Cjpeg("tool_grey", 45, 31, "-grayscale").samples)
    expected.insert(expected.end(), {grey, grey, grey, 255});
  EXPECT_EQ(DecodedRgba("tool_grey.jpg", 45, 31), expected);
}

TEST(DemotoolDecode, PngOfEveryColourTypeMatchesLibpng) {
  for (const auto& [colour_type, depth] : {std::pair{0, 4}, {2, 16}, {3, 8}, {4, 8}, {6, 8}, {6, 16}}) {
    PngLayout layout{29, 13, colour_type, depth, true};
    layout.palette_entries = colour_type == 3 ? 100 : 0;
    const Bytes file = WritePngWithLibpng(layout, PackedRows(layout));
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
  const Bytes out = ReadBinary("tool_bad.out");
  EXPECT_EQ(std::string(out.begin(), out.end()), "Unknown image type.\n");
}

}  // namespace
