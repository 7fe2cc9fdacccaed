// ReadJpeg against libjpeg-turbo: files made by cjpeg, decoded by djpeg with
// the float IDCT and without fancy upsampling, the same method as ours.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "image_files.h"
#include "imageio/jpeg_reader.h"

namespace {

using imageio::Grayscale8;
using imageio::ImageData;
using imageio::RGBA8;

struct JpegCase {
  const char* name;
  int width;
  int height;
  int channels;
  const char* options;  // for cjpeg
};

void PrintTo(const JpegCase& c, std::ostream* os) { *os << c.name; }

// Grey samples go through the same float IDCT and rounding as djpeg's.
// Colour differs by up to 4: we truncate Y, Cb and Cr toward zero and floor
// the fixed-point products where libjpeg rounds each, so every channel can
// lose up to 1 + 1.772 + 1; the test pictures do not clip, so libjpeg's clamp
// of the YCbCr samples never comes into play.
constexpr int kGreyTolerance = 0;
constexpr int kColourTolerance = 4;

class JpegVersusDjpeg : public testing::TestWithParam<JpegCase> {};

TEST_P(JpegVersusDjpeg, PixelsMatchWithinTolerance) {
  const JpegCase& c = GetParam();
  const std::string stem = std::string("jpeg_") + c.name;
  WritePnm(stem + ".pnm", PhotoLike(c.width, c.height, 3));
  ASSERT_TRUE(Shell("cjpeg " + std::string(c.options) + " -outfile " + stem + ".jpg " + stem + ".pnm"));
  ASSERT_TRUE(Shell("djpeg -dct float -nosmooth -pnm -outfile " + stem + ".ref " + stem + ".jpg"));
  const Pnm reference = ReadPnm(stem + ".ref");
  ASSERT_EQ(reference.channels, c.channels);

  imageio::ReadJpeg reader;
  std::string error;
  const auto image = DecodeFile(reader, stem + ".jpg", &error);
  ASSERT_TRUE(image) << error;
  ASSERT_EQ(image->width(), reference.width);
  ASSERT_EQ(image->height(), reference.height);

  int worst = 0;
  const size_t pixels = static_cast<size_t>(c.width) * c.height;
  if (c.channels == 1) {
    auto* grey = dynamic_cast<ImageData<Grayscale8>*>(image.get());
    ASSERT_TRUE(grey);
    for (size_t i = 0; i < pixels; ++i) worst = std::max(worst, std::abs(grey->data()[i].value - reference.samples[i]));
    EXPECT_LE(worst, kGreyTolerance);
  } else {
    auto* colour = dynamic_cast<ImageData<RGBA8>*>(image.get());
    ASSERT_TRUE(colour);
    for (size_t i = 0; i < pixels; ++i) {
      const RGBA8& p = colour->data()[i];
      const uint8_t* r = &reference.samples[3 * i];
      worst = std::max({worst, std::abs(p.red - r[0]), std::abs(p.green - r[1]), std::abs(p.blue - r[2])});
      ASSERT_EQ(p.alpha, 255);
    }
    EXPECT_LE(worst, kColourTolerance);
  }
  RecordProperty("max_difference", worst);
}

const JpegCase kCases[] = {
    {"q10_444", 33, 47, 3, "-quality 10 -baseline -sample 1x1"},
    {"q25_420", 64, 48, 3, "-quality 25 -sample 2x2"},
    {"q50_422", 33, 47, 3, "-quality 50 -sample 2x1"},
    {"q75_440", 33, 47, 3, "-quality 75 -sample 1x2"},
    {"q90_420", 17, 9, 3, "-quality 90 -sample 2x2"},
    {"q100_444", 40, 24, 3, "-quality 100 -sample 1x1"},
    {"q100_420", 33, 47, 3, "-quality 100 -sample 2x2"},
    {"one_pixel_420", 1, 1, 3, "-sample 2x2"},
    {"one_pixel_grey", 1, 1, 1, "-grayscale"},
    {"grey_q10", 17, 9, 1, "-grayscale -quality 10 -baseline"},
    {"grey_q75", 33, 47, 1, "-grayscale -quality 75"},
    {"grey_q100", 64, 64, 1, "-grayscale -quality 100"},
    {"grey_sampled_2x2", 33, 47, 1, "-grayscale -sample 2x2"},
    {"restart_every_mcu", 33, 47, 3, "-sample 2x2 -restart 1B"},
    {"restart_every_4_mcus", 70, 40, 3, "-sample 2x1 -restart 4B"},
    {"restart_every_row", 33, 47, 1, "-grayscale -restart 1"},
    {"optimised_tables", 33, 47, 3, "-optimize -sample 2x2"},
    {"optimised_grey", 33, 47, 1, "-optimize -grayscale"},
    {"sixteen_bit_tables", 33, 47, 3, "-quality 3 -sample 2x2"},
    {"mixed_chroma", 33, 47, 3, "-sample 2x2,2x1,1x2"},
    {"large_444", 256, 200, 3, "-quality 85 -sample 1x1"},
};

INSTANTIATE_TEST_SUITE_P(Cjpeg, JpegVersusDjpeg, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<JpegCase>& info) { return std::string(info.param.name); });

// cjpeg's output for the crafted-file tests, with its segments at hand. Each
// test has its own files, since ctest runs the tests side by side.
class CraftedJpeg : public testing::Test {
 protected:
  void SetUp() override {
    stem_ = std::string("crafted_") + testing::UnitTest::GetInstance()->current_test_info()->name();
    WritePnm(stem_ + ".pnm", PhotoLike(24, 16, 3));
    ASSERT_TRUE(Shell("cjpeg -sample 2x2 -outfile " + stem_ + ".jpg " + stem_ + ".pnm"));
    bytes_ = ReadBinary(stem_ + ".jpg");
  }

  // Offset of the first segment with the marker code (at its 0xFF byte).
  size_t Segment(int code) const {
    for (size_t at = 2; at + 4 <= bytes_.size();) {
      if (bytes_[at + 1] == code) return at;
      at += 2 + (bytes_[at + 2] << 8 | bytes_[at + 3]);
    }
    ADD_FAILURE() << "no segment " << code;
    return 0;
  }

  // The bytes with every segment of the code removed.
  std::vector<uint8_t> Without(int code) const {
    std::vector<uint8_t> out = bytes_;
    for (size_t at = 2; at + 4 <= out.size() && out[at + 1] != 0xDA;) {
      const size_t length = 2 + (out[at + 2] << 8 | out[at + 3]);
      if (out[at + 1] == code)
        out.erase(out.begin() + at, out.begin() + at + length);
      else
        at += length;
    }
    return out;
  }

  std::string Error(const std::vector<uint8_t>& bytes) {
    imageio::ReadJpeg reader;
    return DecodeError(reader, bytes);
  }

  std::string stem_;
  std::vector<uint8_t> bytes_;
};

TEST_F(CraftedJpeg, BytesBeforeTheStartMarkerAreSkipped) {
  std::vector<uint8_t> padded = {0x00, 0x12, 0xFF, 0x34};
  padded.insert(padded.end(), bytes_.begin(), bytes_.end());
  imageio::ReadJpeg plain_reader, padded_reader;
  const auto plain = DecodeBytes(plain_reader, bytes_);
  const auto shifted = DecodeBytes(padded_reader, padded);
  ASSERT_TRUE(plain && shifted);
  const auto* a = static_cast<ImageData<RGBA8>*>(plain.get())->data();
  const auto* b = static_cast<ImageData<RGBA8>*>(shifted.get())->data();
  for (int i = 0; i < 24 * 16; ++i) ASSERT_EQ(0, std::memcmp(&a[i], &b[i], sizeof(RGBA8)));
}

TEST_F(CraftedJpeg, MissingStartMarker) {
  bytes_[1] = 0xD9;
  bytes_.erase(bytes_.begin() + 2, bytes_.end());
  EXPECT_EQ(Error(bytes_), "Beginning tag not found.");
}

TEST_F(CraftedJpeg, HeaderWithoutScan) { EXPECT_EQ(Error({0xFF, 0xD8, 0xFF, 0xD9}), "No image data."); }

TEST_F(CraftedJpeg, TwelveBitPrecision) {
  bytes_[Segment(0xC0) + 4] = 12;
  EXPECT_EQ(Error(bytes_), "Precision is not 8 bit/pixel.\n");
}

TEST_F(CraftedJpeg, TwoComponents) {
  bytes_[Segment(0xC0) + 9] = 2;
  EXPECT_EQ(Error(bytes_), "Supports only Y or YCbCr mode.\n");
}

TEST_F(CraftedJpeg, ScanBeforeFrame) { EXPECT_EQ(Error(Without(0xC0)), "There is no SOF0.\n"); }

TEST_F(CraftedJpeg, ScanNamingTwoOfThreeComponents) {
  bytes_[Segment(0xDA) + 4] = 2;
  EXPECT_EQ(Error(bytes_), "Channel number differs in header and acdc_info.\n");
}

TEST_F(CraftedJpeg, ScanBeforeHuffmanTables) { EXPECT_EQ(Error(Without(0xC4)), "Not defined refered huffman tables.\n"); }

TEST_F(CraftedJpeg, ScanBeforeQuantisationTables) { EXPECT_EQ(Error(Without(0xDB)), "Not defined qtables refered.\n"); }

TEST_F(CraftedJpeg, QuantisationTableOfUnknownPrecision) {
  bytes_[Segment(0xDB) + 4] = 0x20;
  EXPECT_EQ(Error(bytes_), "Failed to read quantization tables.\n");
}

TEST_F(CraftedJpeg, HuffmanTableCutShort) {
  const size_t dht = Segment(0xC4);
  bytes_[dht + 2] = 0;
  bytes_[dht + 3] = 12;  // class byte and only part of the counts
  EXPECT_EQ(Error(bytes_), "Failed to read huffman tables.\n");
}

TEST_F(CraftedJpeg, HuffmanCountsThatOverflow) {
  bytes_[Segment(0xC4) + 5] = 3;  // three codes of length 1
  EXPECT_EQ(Error(bytes_), "Failed to read huffman tables.\n");
}

TEST_F(CraftedJpeg, ProgressiveIsRefused) {
  ASSERT_TRUE(Shell("cjpeg -progressive -outfile progressive.jpg " + stem_ + ".pnm"));
  EXPECT_EQ(Error(ReadBinary("progressive.jpg")), "Progressive JPEG is not supported.\n");
}

TEST_F(CraftedJpeg, FrameWiderThan16384) {
  const size_t sof = Segment(0xC0);
  bytes_[sof + 7] = 0x40;
  bytes_[sof + 8] = 0x01;
  EXPECT_EQ(Error(bytes_), "Image is larger than 16384 pixels.\n");
}

TEST_F(CraftedJpeg, SamplingFactorOfThree) {
  bytes_[Segment(0xC0) + 11] = 0x31;
  EXPECT_EQ(Error(bytes_), "Sampling factors other than 1 and 2 are not supported.\n");
}

TEST_F(CraftedJpeg, DataEndingInsideTheScan) {
  const size_t scan = Segment(0xDA);
  bytes_.resize(scan + 2 + (bytes_[scan + 2] << 8 | bytes_[scan + 3]) + 20);
  EXPECT_EQ(Error(bytes_), "Image data ends inside the scan.\n");
}

TEST_F(CraftedJpeg, CodeMissingFromTheTable) {
  // All one bits: JPEG never assigns that code.
  const size_t data = Segment(0xDA) + 2 + (bytes_[Segment(0xDA) + 2] << 8 | bytes_[Segment(0xDA) + 3]);
  for (size_t i = data; i + 2 < bytes_.size(); i += 2) {
    bytes_[i] = 0xFF;
    bytes_[i + 1] = 0x00;
  }
  EXPECT_EQ(Error(bytes_), "Huffman code not in table.\n");
}

}  // namespace
