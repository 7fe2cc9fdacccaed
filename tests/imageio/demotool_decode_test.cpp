// demotool decode: its PAM files against djpeg and libpng.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>

#include "image_files.h"
#include "png_files.h"

namespace {

struct Pam {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgba;
};

Pam ReadPam(const std::string& path) {
  const std::vector<uint8_t> bytes = ReadBinary(path);
  const std::string text(bytes.begin(), bytes.end());
  const size_t end = text.find("ENDHDR\n");
  EXPECT_NE(end, std::string::npos);
  std::istringstream header(text.substr(0, end));
  std::string line;
  Pam pam;
  std::getline(header, line);
  EXPECT_EQ(line, "P7");
  while (std::getline(header, line)) {
    std::istringstream words(line);
    std::string key, value;
    words >> key >> value;
    if (key == "WIDTH") pam.width = std::stoi(value);
    if (key == "HEIGHT") pam.height = std::stoi(value);
    if (key == "DEPTH") {
      EXPECT_EQ(value, "4");
    } else if (key == "MAXVAL") {
      EXPECT_EQ(value, "255");
    } else if (key == "TUPLTYPE") {
      EXPECT_EQ(value, "RGB_ALPHA");
    }
  }
  pam.rgba.assign(bytes.begin() + end + 7, bytes.end());
  EXPECT_EQ(pam.rgba.size(), static_cast<size_t>(pam.width) * pam.height * 4);
  return pam;
}

bool Decode(const std::string& image, const std::string& pam) {
  return Shell(std::string(DEMOTOOL) + " decode " + image + " " + pam + " > " + pam + ".out");
}

TEST(DemotoolDecode, ColourJpegMatchesDjpeg) {
  WritePnm("tool.pnm", PhotoLike(45, 31, 3));
  ASSERT_TRUE(Shell("cjpeg -sample 2x2 -restart 2B -outfile tool.jpg tool.pnm"));
  ASSERT_TRUE(Shell("djpeg -dct float -nosmooth -pnm -outfile tool_jpg.ref tool.jpg"));
  ASSERT_TRUE(Decode("tool.jpg", "tool_jpg.pam"));
  const Pam pam = ReadPam("tool_jpg.pam");
  const Pnm reference = ReadPnm("tool_jpg.ref");
  ASSERT_EQ(pam.width, 45);
  ASSERT_EQ(pam.height, 31);
  for (size_t i = 0; i < 45 * 31; ++i) {
    for (int c = 0; c < 3; ++c) ASSERT_LE(std::abs(pam.rgba[4 * i + c] - reference.samples[3 * i + c]), 4);
    ASSERT_EQ(pam.rgba[4 * i + 3], 255);
  }
}

TEST(DemotoolDecode, GreyJpegIsGreyOpaque) {
  WritePnm("tool_grey.pnm", PhotoLike(20, 10, 3));
  ASSERT_TRUE(Shell("cjpeg -grayscale -outfile tool_grey.jpg tool_grey.pnm"));
  ASSERT_TRUE(Shell("djpeg -dct float -nosmooth -pnm -outfile tool_grey.ref tool_grey.jpg"));
  ASSERT_TRUE(Decode("tool_grey.jpg", "tool_grey.pam"));
  const Pam pam = ReadPam("tool_grey.pam");
  const Pnm reference = ReadPnm("tool_grey.ref");
  for (size_t i = 0; i < 200; ++i)
    ASSERT_EQ(std::vector<uint8_t>(pam.rgba.begin() + 4 * i, pam.rgba.begin() + 4 * i + 4),
              std::vector<uint8_t>(
                  {reference.samples[i], reference.samples[i], reference.samples[i], static_cast<uint8_t>(255)}));
}

// Expands libpng's samples of the colour type to RGBA.
std::vector<uint8_t> ToRgba(const std::vector<uint8_t>& samples, int colour_type) {
  std::vector<uint8_t> rgba;
  const int channels = colour_type == 0 ? 1 : colour_type == 4 ? 2 : colour_type == 6 ? 4 : 3;
  for (size_t i = 0; i < samples.size(); i += channels) {
    const uint8_t* s = &samples[i];
    switch (colour_type) {
      case 0: rgba.insert(rgba.end(), {s[0], s[0], s[0], 255}); break;
      case 4: rgba.insert(rgba.end(), {s[0], s[0], s[0], s[1]}); break;
      case 6: rgba.insert(rgba.end(), {s[0], s[1], s[2], s[3]}); break;
      default: rgba.insert(rgba.end(), {s[0], s[1], s[2], 255}); break;
    }
  }
  return rgba;
}

TEST(DemotoolDecode, PngOfEveryColourTypeMatchesLibpng) {
  for (const auto& [colour_type, depth] : {std::pair{0, 4}, {2, 16}, {3, 8}, {4, 8}, {6, 8}, {6, 16}}) {
    PngLayout layout{29, 13, colour_type, depth};
    layout.interlaced = true;
    layout.palette_entries = colour_type == 3 ? 100 : 0;
    const std::vector<uint8_t> file = WritePngWithLibpng(layout, PackedRows(layout));
    const std::string name = "tool_" + std::to_string(colour_type) + "_" + std::to_string(depth);
    WriteBinary(name + ".png", file);
    ASSERT_TRUE(Decode(name + ".png", name + ".pam"));
    EXPECT_EQ(ReadPam(name + ".pam").rgba, ToRgba(DecodeWithLibpng(file), colour_type)) << name;
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
