// ReadJpeg against djpeg on cjpeg files, and on crafted faults.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <tuple>

#include "files.h"
#include "imageio/jpeg_reader.h"

namespace {

const uint8_t kAdobeMarker[] = {0xFF, 0xEE};
const uint8_t kFrameMarker[] = {0xFF, 0xC0};
const uint8_t kScanMarker[] = {0xFF, 0xDA};

struct JpegCase {
  const char* name;
  int width, height, channels;
  const char* options;  // for cjpeg
};

// The largest difference of any sample between our decode of the file and djpeg's; 256 when ours fails.
int WorstDifference(const std::string& jpeg_path, const Pnm& reference) {
  imageio::ReadJpeg reader;
  std::string error;
  const auto image = DecodeBytes(reader, ReadBinary(jpeg_path), &error);
  if (!image || image->width() != reference.width || image->height() != reference.height) {
    ADD_FAILURE() << jpeg_path << ": " << error;
    return 256;
  }
  // Grey8 gives one sample a pixel, RGBA8 four: the size also checks the type.
  const Bytes ours = SamplesOf(image.get(), 6);
  const int channels = reference.channels, stride = channels == 1 ? 1 : 4;
  const size_t pixels = size_t(reference.width) * reference.height;
  if (ours.size() != pixels * stride) return ADD_FAILURE() << jpeg_path << ": wrong pixel type", 256;
  int worst = 0;
  for (size_t i = 0; i < pixels; ++i) {
    for (int k = 0; k < channels; ++k)
      worst = std::max(worst, std::abs(ours[stride * i + k] - reference.samples[channels * i + k]));
    if (stride == 4 && ours[4 * i + 3] != 255) return ADD_FAILURE() << jpeg_path << ": alpha", 256;
  }
  return worst;
}

class JpegVersusDjpeg : public testing::TestWithParam<JpegCase> {};

// Grey matches exactly; colour may differ by up to 1 + 1.772 + 1: we truncate Y, Cb and Cr and floor the
// fixed-point products where libjpeg rounds each.
TEST_P(JpegVersusDjpeg, PixelsMatchWithinTolerance) {
  const JpegCase& c = GetParam();
  const std::string stem = std::string("jpeg_") + c.name;
  const Pnm reference = Cjpeg(stem, c.width, c.height, c.options);
  ASSERT_EQ(reference.channels, c.channels);
  const int worst = WorstDifference(stem + ".jpg", reference);
  EXPECT_LE(worst, c.channels == 1 ? 0 : 4);
  RecordProperty("max_difference", worst);
}

const JpegCase kCases[] = {
    {"q10_444", 33, 47, 3, "-quality 10 -baseline -sample 1x1"}, {"q25_420", 64, 48, 3, "-quality 25 -sample 2x2"},
    {"q50_422", 33, 47, 3, "-quality 50 -sample 2x1"},           {"q75_440", 33, 47, 3, "-quality 75 -sample 1x2"},
    {"q100_420", 33, 47, 3, "-quality 100 -sample 2x2"},         {"one_pixel_420", 1, 1, 3, "-sample 2x2"},
    {"grey_q75", 33, 47, 1, "-grayscale -quality 75"},           {"grey_sampled_2x2", 33, 47, 1, "-grayscale -sample 2x2"},
    {"restart_every_mcu", 33, 47, 3, "-sample 2x2 -restart 1B"}, {"restart_every_row", 33, 47, 1, "-grayscale -restart 1"},
    {"optimised_tables", 33, 47, 3, "-optimize -sample 2x2"},    {"sixteen_bit_tables", 33, 47, 3, "-quality 3 -sample 2x2"},
    {"mixed_chroma", 33, 47, 3, "-sample 2x2,2x1,1x2"},          {"large_444", 256, 200, 3, "-quality 85 -sample 1x1"},
    {"odd_17x9_420", 17, 9, 3, "-sample 2x2"},
    // Progressive: every scan kind, with restarts in DC and AC scans.
    {"progressive_q10_420", 33, 47, 3, "-progressive -quality 10 -sample 2x2"},
    {"progressive_q75_444", 61, 29, 3, "-progressive -quality 75 -sample 1x1"},
    {"progressive_q95_422", 70, 43, 3, "-progressive -quality 95 -sample 2x1"},
    {"progressive_restart_every_mcu", 33, 47, 3, "-progressive -sample 2x2 -restart 1B"},
    {"progressive_restart_every_row", 45, 31, 3, "-progressive -quality 90 -restart 1"},
    {"progressive_grey", 33, 47, 1, "-progressive -grayscale -quality 60 -restart 2B"},
    {"progressive_optimised_4x1", 77, 21, 3, "-progressive -optimize -sample 4x1"},
    {"progressive_large", 300, 211, 3, "-progressive -quality 85 -sample 2x2"},
    // Sampling factors up to 4, whole multiples of each other as libjpeg needs.
    {"sampled_4x1", 37, 29, 3, "-quality 70 -sample 4x1"},
    {"sampled_1x4", 37, 29, 3, "-quality 80 -sample 1x4"},
    {"sampled_4x2", 51, 35, 3, "-quality 50 -sample 4x2"},
    {"sampled_3x1", 37, 29, 3, "-quality 90 -sample 3x1"},
    {"sampled_3x2_chroma", 40, 23, 3, "-sample 3x2,1x1,3x1"},
    {"sampled_2x4_restart", 37, 67, 3, "-sample 2x4 -restart 1B"},
    {"sampled_4x1_restart", 37, 29, 3, "-sample 4x1 -restart 2B"},
};

INSTANTIATE_TEST_SUITE_P(Cjpeg, JpegVersusDjpeg, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<JpegCase>& info) { return std::string(info.param.name); });

// Near white and black the inverse DCT overshoots; each sample is clamped before colour conversion.
class ClampedBeforeColourConversion : public testing::TestWithParam<std::tuple<Picture, int, const char*>> {};

TEST_P(ClampedBeforeColourConversion, MatchesDjpeg) {
  const auto [picture, quality, sampling] = GetParam();
  const std::string stem = "clamp_" + std::to_string(int(picture)) + "_" + std::to_string(quality) + "_" + sampling;
  const int worst = WorstDifference(
      stem + ".jpg", Cjpeg(stem, 48, 40, "-quality " + std::to_string(quality) + " -sample " + sampling, picture));
  EXPECT_LE(worst, 4);
  RecordProperty("max_difference", worst);
}

INSTANTIATE_TEST_SUITE_P(Cjpeg, ClampedBeforeColourConversion,
                         testing::Combine(testing::Values(Picture::kPhoto, Picture::kBrightSky, Picture::kTextOnColour,
                                                          Picture::kPrimaries),
                                          testing::Values(5, 25, 50, 75, 95), testing::Values("2x2", "2x1", "1x2")));

// cjpeg -rgb writes an Adobe segment with transform 0 and components 'R', 'G', 'B'; either alone means RGB, as
// in libjpeg, and neither means YCbCr.
TEST(RgbJpeg, DecodedInTheColourSpaceLibjpegChooses) {
  Cjpeg("rgb", 33, 47, "-rgb -quality 80", Picture::kTextOnColour);
  const Bytes bytes = ReadBinary("rgb.jpg");
  const size_t adobe = std::search(bytes.begin(), bytes.end(), kAdobeMarker, kAdobeMarker + 2) - bytes.begin();
  const size_t sof = std::search(bytes.begin(), bytes.end(), kFrameMarker, kFrameMarker + 2) - bytes.begin();
  const size_t sos = std::search(bytes.begin(), bytes.end(), kScanMarker, kScanMarker + 2) - bytes.begin();
  ASSERT_LT(adobe, bytes.size());
  ASSERT_LT(sos, bytes.size());
  auto without_adobe = [&](Bytes b) { return b[adobe + 1] = 0xFE, b; };  // made a comment
  auto numbered = [&](Bytes b) {  // components 1, 2, 3, in the frame and in the scan
    for (int i = 0; i < 3; ++i) b[sof + 10 + 3 * i] = b[sos + 5 + 2 * i] = uint8_t(1 + i);
    return b;
  };
  const struct { const char* name; Bytes file; int tolerance; } cases[] = {
      {"rgb_as_written", bytes, 0},
      {"rgb_by_names", without_adobe(bytes), 0},
      {"rgb_by_adobe", numbered(bytes), 0},
      {"ycbcr_by_default", numbered(without_adobe(bytes)), 4},
  };
  for (const auto& c : cases) {
    const std::string path = std::string(c.name) + ".jpg";
    WriteBinary(path, c.file);
    EXPECT_LE(WorstDifference(path, Djpeg(path)), c.tolerance) << c.name;
  }
}

// Inverted CMYK from Pillow, sequential and progressive, and the same data read as YCCK by flipping Adobe's transform.
TEST(CmykJpeg, MatchesDjpegAsCmykAndAsYcck) {
  for (const auto& [width, height, quality, progressive] :
       {std::tuple{37, 29, 90, false}, {64, 48, 25, false}, {19, 41, 75, true}, {100, 61, 95, true}}) {
    const std::string stem = "cmyk_" + std::to_string(width) + "_" + std::to_string(quality);
    Cjpeg(stem, width, height, "-quality 90");  // only for its picture, STEM.pnm
    ASSERT_TRUE(Shell("/usr/bin/python3 -c \"from PIL import Image; Image.open('" + stem +
                      ".pnm').convert('CMYK').save('" + stem + ".jpg', quality=" + std::to_string(quality) +
                      ", progressive=" + (progressive ? "True" : "False") + ")\""));
    EXPECT_LE(WorstDifference(stem + ".jpg", Djpeg(stem + ".jpg")), 4) << stem;
    Bytes ycck = ReadBinary(stem + ".jpg");
    const size_t adobe = std::search(ycck.begin(), ycck.end(), kAdobeMarker, kAdobeMarker + 2) - ycck.begin();
    ASSERT_LT(adobe + 15, ycck.size());
    ycck[adobe + 15] = 2;  // the transform byte
    WriteBinary(stem + "_ycck.jpg", ycck);
    EXPECT_LE(WorstDifference(stem + "_ycck.jpg", Djpeg(stem + "_ycck.jpg")), 4) << stem;
  }
}

// Motion-JPEG frames leave out the Huffman tables: the standard ones, which cjpeg writes unless it optimises, apply.
TEST(MotionJpeg, FrameWithoutHuffmanTablesUsesTheStandardOnes) {
  int number = 0;
  for (const char* options : {"-quality 80 -sample 2x1", "-grayscale -quality 50", "-sample 2x2 -restart 1B"}) {
    const std::string stem = "mjpeg_" + std::to_string(number++);
    Cjpeg(stem, 45, 27, options);
    Bytes bytes = ReadBinary(stem + ".jpg");
    int removed = 0;
    for (size_t at = 0; at + 1 < bytes.size(); ++at)
      if (bytes[at] == 0xFF && bytes[at + 1] == 0xC4) bytes[at + 1] = 0xFE, ++removed;  // made a comment
    ASSERT_GT(removed, 0);
    WriteBinary(stem + "_bare.jpg", bytes);
    EXPECT_LE(WorstDifference(stem + "_bare.jpg", Djpeg(stem + "_bare.jpg")), 4) << options;
  }
}

// Offsets of the scan headers (their 0xFF); the pair never occurs inside entropy-coded data.
std::vector<size_t> ScanHeaders(const Bytes& bytes) {
  std::vector<size_t> at;
  for (size_t i = 0; i + 1 < bytes.size(); ++i)
    if (bytes[i] == 0xFF && bytes[i + 1] == 0xDA) at.push_back(i);
  return at;
}

// Cuts, scans out of order and absurd bands are errors, never garbage or a crash.
TEST(CraftedJpeg, ProgressiveFaultsHaveMessages) {
  Cjpeg("progressive_faults", 33, 47, "-progressive -sample 2x2");
  const Bytes bytes = ReadBinary("progressive_faults.jpg");
  const std::vector<size_t> scans = ScanHeaders(bytes);
  ASSERT_GE(scans.size(), 4u);
  // A scan header of n components: its band and bits follow the 1 + 2n bytes after the length.
  auto band_at = [&](size_t scan) { return scans[scan] + 5 + 2 * bytes[scans[scan] + 4]; };
  auto with_band = [&](size_t scan, Bytes band) {
    Bytes out = bytes;
    std::copy(band.begin(), band.end(), out.begin() + band_at(scan));
    return out;
  };
  ASSERT_EQ(Bytes(bytes.begin() + band_at(0), bytes.begin() + band_at(0) + 3), (Bytes{0, 0, 0x01}));
  ASSERT_EQ(bytes[scans[1] + 4], 1);  // an AC scan of one component
  auto error = [](const Bytes& file) { imageio::ReadJpeg reader; return DecodeError(reader, file); };
  const struct { const char* name; Bytes file; const char* message; } cases[] = {
      {"cut inside the second scan", Bytes(bytes.begin(), bytes.begin() + scans[1] + 20),
       "Image data ends inside the scan.\n"},
      {"cut before the third scan", Bytes(bytes.begin(), bytes.begin() + scans[2]),
       "Image data ends before its last scan.\n"},
      {"DC refinement first", with_band(0, {0, 0, 0x21}), "Progressive scans out of order.\n"},
      {"AC refinement before its first scan", with_band(1, {1, 5, 0x21}), "Progressive scans out of order.\n"},
      {"AC before DC", with_band(1, {1, 5, 0x02}), ""},  // the DC scan came first: fine
      {"DC and AC in one scan", with_band(0, {0, 5, 0x01}), "Bad spectral selection in a progressive scan.\n"},
      {"band past 63", with_band(1, {1, 64, 0x02}), "Bad spectral selection in a progressive scan.\n"},
      {"band backwards", with_band(1, {9, 5, 0x02}), "Bad spectral selection in a progressive scan.\n"},
      {"AC of three components", with_band(0, {1, 5, 0x01}), "Bad spectral selection in a progressive scan.\n"},
      {"two bits refined at once", with_band(1, {1, 5, 0x42}), "Bad successive approximation in a progressive scan.\n"},
      {"low bit past 13", with_band(1, {1, 5, 0x0E}), "Bad successive approximation in a progressive scan.\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(error(c.file), c.message) << c.name;

  Bytes ac_first = bytes;  // the first AC scan moved before the DC scan
  const Bytes ac_scan(bytes.begin() + scans[1], bytes.begin() + scans[2]);
  ac_first.erase(ac_first.begin() + scans[1], ac_first.begin() + scans[2]);
  ac_first.insert(ac_first.begin() + scans[0], ac_scan.begin(), ac_scan.end());
  EXPECT_EQ(error(ac_first), "Progressive scans out of order.\n");

  Bytes trailing_restart = bytes;  // a restart marker after the first scan's last MCU, as some encoders write
  const uint8_t restart[] = {0xFF, 0xD0};
  trailing_restart.insert(trailing_restart.begin() + scans[1], restart, restart + 2);
  imageio::ReadJpeg plain_reader, restart_reader;
  const auto plain = DecodeBytes(plain_reader, bytes), with_restart = DecodeBytes(restart_reader, trailing_restart);
  ASSERT_TRUE(plain && with_restart);
  EXPECT_EQ(SamplesOf(plain.get(), 6), SamplesOf(with_restart.get(), 6));
}

// Kinds libjpeg decodes that we refuse, each with its own message.
TEST(CraftedJpeg, RefusedKindsSayWhy) {
  Cjpeg("arithmetic", 24, 16, "-arithmetic");
  Cjpeg("arithmetic_progressive", 24, 16, "-arithmetic -progressive");
  imageio::ReadJpeg arithmetic, arithmetic_progressive;
  EXPECT_EQ(DecodeError(arithmetic, ReadBinary("arithmetic.jpg")), "Arithmetic-coded JPEG is not supported.\n");
  EXPECT_EQ(DecodeError(arithmetic_progressive, ReadBinary("arithmetic_progressive.jpg")),
            "Arithmetic-coded JPEG is not supported.\n");
  Cjpeg("sequential", 24, 16, "-sample 2x2");
  const Bytes bytes = ReadBinary("sequential.jpg");
  const size_t sof = std::search(bytes.begin(), bytes.end(), kFrameMarker, kFrameMarker + 2) - bytes.begin();
  for (const auto& [code, message] : {std::pair{0xC3, "Lossless JPEG is not supported.\n"},
                                      {0xC7, "Lossless JPEG is not supported.\n"},
                                      {0xC5, "Hierarchical JPEG is not supported.\n"}}) {
    Bytes changed = bytes;
    changed[sof + 1] = uint8_t(code);
    imageio::ReadJpeg reader;
    EXPECT_EQ(DecodeError(reader, changed), message) << code;
  }
}

TEST(CraftedJpeg, FaultsHaveExactMessages) {
  Cjpeg("crafted", 24, 16, "-sample 2x2");
  const Bytes bytes = ReadBinary("crafted.jpg");
  auto length = [&](size_t at) -> size_t { return 2 + (bytes[at + 2] << 8 | bytes[at + 3]); };
  std::map<int, std::vector<size_t>> segments;  // marker code: offsets, before the scan
  size_t sos = 2;
  for (; bytes.at(sos + 1) != 0xDA; sos += length(sos)) segments[bytes[sos + 1]].push_back(sos);
  auto set = [&](size_t at, Bytes v) { Bytes out = bytes; std::copy(v.begin(), v.end(), out.begin() + at); return out; };
  auto without = [&](int code) {  // each segment of the code made a comment
    Bytes out = bytes;
    for (size_t at : segments[code]) out[at + 1] = 0xFE;
    return out;
  };
  auto error = [](const Bytes& file) { imageio::ReadJpeg reader; return DecodeError(reader, file); };
  const size_t sof = segments.at(0xC0).at(0), dht = segments.at(0xC4).at(0), scan_data = sos + length(sos);
  EXPECT_EQ(error({0xFF, 0xD9}), "Beginning tag not found.");
  EXPECT_EQ(error({0xFF, 0xD8, 0xFF, 0xD9}), "No image data.");
  EXPECT_EQ(error(set(sof + 4, {12})), "Precision is not 8 bit/pixel.\n");
  EXPECT_EQ(error(set(sof + 9, {2})), "Supports only Y or YCbCr mode.\n");
  EXPECT_EQ(error(set(sof + 7, {0x40, 0x01})), "Image is larger than 16384 pixels.\n");
  EXPECT_EQ(error(set(sof + 5, {0, 0})), "Image has no pixels.\n");
  EXPECT_EQ(error(set(sof + 11, {0x51})), "Sampling factors other than 1 to 4 are not supported.\n");
  EXPECT_EQ(error(set(sof + 11, {0x20})), "Sampling factors other than 1 to 4 are not supported.\n");
  EXPECT_EQ(error(set(sos + 4, {2})), "Channel number differs in header and acdc_info.\n");
  EXPECT_EQ(error(set(segments.at(0xDB).at(0) + 4, {0x20})), "Failed to read quantization tables.\n");
  EXPECT_EQ(error(set(dht + 2, {0, 12})), "Failed to read huffman tables.\n");  // counts cut short
  EXPECT_EQ(error(set(dht + 5, {3})), "Failed to read huffman tables.\n");      // three codes of length 1
  EXPECT_EQ(error(without(0xC0)), "There is no SOF0.\n");
  EXPECT_EQ(error(set(sos + 6, {0x22})), "Not defined refered huffman tables.\n");  // ids 0 and 1 have defaults
  EXPECT_EQ(error(without(0xDB)), "Not defined qtables refered.\n");
  Bytes two_frames = bytes;  // the Huffman segment's marker made a second frame header
  two_frames[dht + 1] = 0xC0;
  EXPECT_EQ(error(two_frames), "More than one frame header.\n");
  EXPECT_EQ(error(Bytes(bytes.begin(), bytes.begin() + scan_data + 20)), "Image data ends inside the scan.\n");
  Bytes all_ones = bytes;  // never a JPEG code
  for (size_t i = scan_data; i + 2 < all_ones.size(); i += 2) all_ones[i] = 0xFF, all_ones[i + 1] = 0x00;
  EXPECT_EQ(error(all_ones), "Huffman code not in table.\n");

  Cjpeg("restarts", 24, 16, "-sample 2x2 -restart 1B");
  Bytes misnumbered = ReadBinary("restarts.jpg");
  const uint8_t first_restart[] = {0xFF, 0xD0};
  const size_t restart = std::search(misnumbered.begin(), misnumbered.end(), first_restart, first_restart + 2) -
                         misnumbered.begin();
  ASSERT_LT(restart, misnumbered.size());
  misnumbered[restart + 1] = 0xD3;
  EXPECT_EQ(error(misnumbered), "Restart marker not found.\n");

  Bytes padded = {0x00, 0x12, 0xFF, 0x34};  // skipped before the start marker
  padded.insert(padded.end(), bytes.begin(), bytes.end());
  imageio::ReadJpeg plain_reader, padded_reader;
  const auto plain = DecodeBytes(plain_reader, bytes), shifted = DecodeBytes(padded_reader, padded);
  ASSERT_TRUE(plain && shifted);
  EXPECT_EQ(SamplesOf(plain.get(), 6), SamplesOf(shifted.get(), 6));
}

}  // namespace
