// demotool decode: its PAM files against djpeg and libpng, and its exit status on a bad file.
#include <gtest/gtest.h>

#include <algorithm>

#include "files.h"

namespace {

const uint8_t kScanMarker[] = {0xFF, 0xDA};

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

// A progressive file decodes; cut inside a scan, or with a refinement before its first scan, it ends with the
// message and status 1.
TEST(DemotoolDecode, ProgressiveJpegDecodesAndItsFaultsExit1) {
  const Pnm reference = Cjpeg("tool_progressive", 29, 13, "-progressive -grayscale -restart 1");
  Bytes expected;
  for (uint8_t grey : reference.samples) expected.insert(expected.end(), {grey, grey, grey, 255});
  EXPECT_EQ(DecodedRgba("tool_progressive.jpg", 29, 13), expected);

  const Bytes bytes = ReadBinary("tool_progressive.jpg");
  const size_t first_scan = std::search(bytes.begin(), bytes.end(), kScanMarker, kScanMarker + 2) - bytes.begin();
  Bytes refinement_first = bytes;
  refinement_first.at(first_scan + 9) = 0x21;  // the one-component DC scan's bits: a refinement of bit 1
  const struct { const char* name; Bytes file; const char* message; } cases[] = {
      {"tool_cut.jpg", Bytes(bytes.begin(), bytes.begin() + first_scan + 14), "Image data ends inside the scan.\n"},
      {"tool_refinement_first.jpg", refinement_first, "Progressive scans out of order.\n"},
  };
  for (const auto& c : cases) {
    WriteBinary(c.name, c.file);
    const int status =
        std::system((std::string(DEMOTOOL) + " decode " + c.name + " tool_fault.pam > tool_fault.out").c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1) << c.name;
    const Bytes out = ReadBinary("tool_fault.out");
    EXPECT_EQ(std::string(out.begin(), out.end()), c.message) << c.name;
  }
}

}  // namespace
