// The JPEG reader, top-down in stream order: markers, tables, frame, scans, MCUs, and rows of pixels out.
#include "imageio/jpeg_reader.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "imageio/jpeg_bits.h"
#include "imageio/jpeg_blocks.h"
#include "imageio/jpeg_huffman.h"
#include "imageio/jpeg_transform.h"

namespace imageio {
namespace {

constexpr int kMaxFrameSide = 16384;
constexpr int kMaxComponents = 4;
constexpr int kMaxSamplingFactor = 4;
constexpr int kBlockSide = 8;
constexpr int kBlockSize = 64;
constexpr int kLastCoefficient = 63;
// The highest bit a progressive scan may start from, as in libjpeg (its bound for 12-bit samples).
constexpr int kMaxLowBit = 13;
constexpr int kRestartMarkerCount = 8;

// Every marker is this byte and a code; inside the scan's data, the byte
// followed by 0 is a data byte of that value.
constexpr int kMarkerPrefix = 0xFF;
// Marker codes, the byte after kMarkerPrefix.
constexpr int kStartOfImage = 0xD8;
constexpr int kEndOfImage = 0xD9;
constexpr int kBaselineFrame = 0xC0;
constexpr int kExtendedFrame = 0xC1;
constexpr int kProgressiveFrame = 0xC2;
constexpr int kLosslessFrame = 0xC3;
constexpr int kHuffmanTables = 0xC4;
constexpr int kHierarchicalFrame = 0xC5;
constexpr int kHierarchicalProgressiveFrame = 0xC6;
constexpr int kHierarchicalLosslessFrame = 0xC7;
constexpr int kArithmeticFrame = 0xC9;
constexpr int kArithmeticProgressiveFrame = 0xCA;
constexpr int kArithmeticLosslessFrame = 0xCB;
constexpr int kArithmeticHierarchicalFrame = 0xCD;
constexpr int kArithmeticHierarchicalProgressiveFrame = 0xCE;
constexpr int kArithmeticHierarchicalLosslessFrame = 0xCF;
constexpr int kQuantTables = 0xDB;
constexpr int kRestartInterval = 0xDD;
constexpr int kFirstRestartMarker = 0xD0;
constexpr int kLastRestartMarker = 0xD7;
constexpr int kStartOfScan = 0xDA;
constexpr int kJfifApp = 0xE0;
constexpr int kAdobeApp = 0xEE;

// Adobe's colour transform byte: 0 means the components are R, G, B (or C,
// M, Y, K), 2 that four components are YCCK.
constexpr uint8_t kAdobeNoTransform = 0;
constexpr uint8_t kAdobeYcck = 2;
constexpr size_t kAdobeTransformAt = 11;

enum class ColourSpace { kGrey, kYCbCr, kRgb, kCmyk, kYcck };

struct Component {
  int id = 0;
  int h = 1;  // sampling factors
  int v = 1;
  int quant_table = 0;
  const JpegHuffmanTable* dc = nullptr;
  const JpegHuffmanTable* ac = nullptr;
  float dequant[kBlockSize] = {};  // set by the component's first scan
  bool dequant_set = false;
  int32_t predictor = 0;
  // Blocks that hold the component's samples; the MCUs may add more.
  int blocks_wide = 0;
  int blocks_high = 0;
  // Coefficients of `held_rows` rows of `stride` blocks: one MCU row for a
  // sequential frame, the whole image for a progressive one.
  int stride = 0;
  int held_rows = 0;
  std::vector<int16_t> coefficients;
  // Progressive: the lowest bit each coefficient has so far, -1 before its first scan.
  int known_bit[kBlockSize];
  // Samples of one MCU row, and one row of them widened to the image.
  std::vector<uint8_t> samples;
  std::vector<uint8_t> widened;
  // For a component with fewer columns than the image: the sample column of
  // each pixel, and the samples' row that `widened` holds now.
  std::vector<int> column_of_pixel;
  const uint8_t* widened_from = nullptr;

  int16_t* Block(int row, int col) {
    return &coefficients[(static_cast<size_t>(row % held_rows) * stride + col) * kBlockSize];
  }
};

struct Scan {
  Component* components[kMaxComponents];
  int count = 0;
  int first = 0;  // spectral selection, zigzag positions
  int last = kLastCoefficient;
  int high_bit = 0;  // successive approximation: 0 for a first scan
  int low_bit = 0;
};

using Segment = std::vector<uint8_t>;

class JpegDecoder {
 public:
  explicit JpegDecoder(AFILE* file) : file_(file) {}
  Image* Decode();

 private:
  int NextMarker();
  Segment ReadSegment();
  bool ReadQuantTables();
  bool ReadHuffmanTables();
  void ReadAppSegment(int marker);
  void ReadFrame(int marker);
  bool CodedInRgb() const;
  ColourSpace FrameColourSpace() const;
  void StartImage();
  void DecodeScan();
  Scan ReadScanHeader(const Segment& s);
  void CheckProgression(const Scan& scan);
  void SelectTables(const Scan& scan, int selectors, Component& c);
  const JpegHuffmanTable* HuffmanTable(bool ac, int id);
  void DecodeUnit(const Scan& scan, Component& c, int row, int col, JpegBitReader& bits);
  void OutputMcuRow(int mcu_row);
  void WidenRow(Component& c, const uint8_t* row);
  Image* FinishImage();

  AFILE* file_;
  std::unique_ptr<JpegHuffmanTable> huffman_[32];
  std::unique_ptr<int32_t[]> quant_[16];
  Component components_[kMaxComponents];
  int width_ = 0;
  int height_ = 0;
  int component_count_ = 0;
  bool progressive_ = false;
  int h_max_ = 1;
  int v_max_ = 1;
  int mcus_wide_ = 0;
  int mcus_high_ = 0;
  int restart_interval_ = 0;
  bool saw_jfif_ = false;
  int adobe_transform_ = -1;  // -1: no Adobe segment
  int scans_ = 0;
  int32_t eob_run_ = 0;
  ColourSpace colour_space_ = ColourSpace::kGrey;
  std::unique_ptr<Grayscale8[]> grey_pixels_;
  std::unique_ptr<RGBA8[]> colour_pixels_;
};

int ReadWord(const uint8_t* p) { return p[0] << 8 | p[1]; }

Image* JpegDecoder::Decode() {
  int marker;
  do {
    marker = NextMarker();
    if (marker == 0) throw ImageIOException("Beginning tag not found.");
  } while (marker != kStartOfImage);

  while ((marker = NextMarker()) != kEndOfImage && marker != 0) {
    switch (marker) {
      case kQuantTables:
        if (!ReadQuantTables()) throw ImageIOException("Failed to read quantization tables.\n");
        break;
      case kHuffmanTables:
        if (!ReadHuffmanTables()) throw ImageIOException("Failed to read huffman tables.\n");
        break;
      case kBaselineFrame:
      case kExtendedFrame:
      case kProgressiveFrame:
        ReadFrame(marker);
        break;
      case kLosslessFrame:
      case kHierarchicalLosslessFrame:
      case kArithmeticLosslessFrame:
      case kArithmeticHierarchicalLosslessFrame:
        throw ImageIOException("Lossless JPEG is not supported.\n");
      case kHierarchicalFrame:
      case kHierarchicalProgressiveFrame:
      case kArithmeticHierarchicalFrame:
      case kArithmeticHierarchicalProgressiveFrame:
        throw ImageIOException("Hierarchical JPEG is not supported.\n");
      case kArithmeticFrame:
      case kArithmeticProgressiveFrame:
        throw ImageIOException("Arithmetic-coded JPEG is not supported.\n");
      case kRestartInterval: {
        const Segment s = ReadSegment();
        restart_interval_ = s.size() >= 2 ? ReadWord(s.data()) : 0;
        break;
      }
      case kJfifApp:
      case kAdobeApp:
        ReadAppSegment(marker);
        break;
      case kStartOfScan:
        DecodeScan();
        // A sequential frame is whole after its one scan; its end marker is not looked for.
        if (!progressive_) return FinishImage();
        break;
      default:
        // Restart markers have no segment; one may follow a scan's last MCU.
        if (marker < kFirstRestartMarker || marker > kLastRestartMarker) ReadSegment();
        break;
    }
  }
  if (scans_ == 0) throw ImageIOException("No image data.");
  if (marker != kEndOfImage) throw ImageIOException("Image data ends before its last scan.\n");
  for (int row = 0; row < mcus_high_; ++row) OutputMcuRow(row);
  return FinishImage();
}

// A 0xFF followed by 0 is a data byte left over from a scan, not a marker.
int JpegDecoder::NextMarker() {
  int c;
  do {
    do {
      c = afgetc(file_);
      if (c < 0) return 0;
    } while (c != kMarkerPrefix);
    do {
      c = afgetc(file_);
      if (c < 0) return 0;
    } while (c == kMarkerPrefix);
  } while (c == 0);
  return c;
}

// The segment's bytes after its length field; shorter when the file ends.
Segment JpegDecoder::ReadSegment() {
  uint8_t length_bytes[2] = {0, 0};
  afread(length_bytes, 1, 2, file_);
  const int length = ReadWord(length_bytes);
  Segment segment(length > 2 ? length - 2 : 0);
  segment.resize(afread(segment.data(), 1, segment.size(), file_));
  return segment;
}

bool JpegDecoder::ReadQuantTables() {
  const Segment s = ReadSegment();
  size_t at = 0;
  while (at < s.size()) {
    const int precision = s[at] >> 4;
    const int id = s[at] & 15;
    ++at;
    if (precision > 1) return false;
    const size_t entry_bytes = precision + 1;
    if (s.size() - at < kBlockSize * entry_bytes) return false;
    quant_[id].reset(new int32_t[kBlockSize]);
    for (int k = 0; k < kBlockSize; ++k, at += entry_bytes)
      quant_[id][kJpegZigzag[k]] = precision ? ReadWord(&s[at]) : s[at];
  }
  return true;
}

bool JpegDecoder::ReadHuffmanTables() {
  const Segment s = ReadSegment();
  size_t at = 0;
  while (at < s.size()) {
    const int index = s[at++] & 0x1F;
    if (s.size() - at < 16) return false;
    const uint8_t* counts = &s[at];
    at += 16;
    size_t total = 0;
    for (int i = 0; i < 16; ++i) total += counts[i];
    if (s.size() - at < total) return false;
    huffman_[index].reset(new JpegHuffmanTable);
    if (!BuildJpegHuffmanTable(counts, &s[at], huffman_[index].get())) return false;
    at += total;
  }
  return true;
}

// Notes the JFIF and Adobe segments, which decide the colour space.
void JpegDecoder::ReadAppSegment(int marker) {
  const Segment s = ReadSegment();
  auto starts_with = [&](const char* tag, size_t n) { return s.size() >= n && std::equal(tag, tag + n, s.begin()); };
  if (marker == kJfifApp && starts_with("JFIF", 5)) saw_jfif_ = true;
  if (marker == kAdobeApp && starts_with("Adobe", 5) && s.size() > kAdobeTransformAt)
    adobe_transform_ = s[kAdobeTransformAt];
}

void JpegDecoder::ReadFrame(int marker) {
  if (width_ != 0) throw ImageIOException("More than one frame header.\n");
  progressive_ = marker == kProgressiveFrame;
  const Segment s = ReadSegment();
  if (s.size() < 6) throw ImageIOException("Corrupt frame header.\n");
  if (s[0] != 8) throw ImageIOException("Precision is not 8 bit/pixel.\n");
  height_ = ReadWord(&s[1]);
  width_ = ReadWord(&s[3]);
  component_count_ = s[5];
  if (component_count_ != 1 && component_count_ != 3 && component_count_ != kMaxComponents)
    throw ImageIOException("Supports only Y or YCbCr mode.\n");
  if (width_ > kMaxFrameSide || height_ > kMaxFrameSide)
    throw ImageIOException("Image is larger than 16384 pixels.\n");
  if (width_ == 0 || height_ == 0) throw ImageIOException("Image has no pixels.\n");
  if (s.size() < 6 + 3 * static_cast<size_t>(component_count_)) throw ImageIOException("Corrupt frame header.\n");
  for (int i = 0; i < component_count_; ++i) {
    Component& c = components_[i];
    const uint8_t* record = &s[6 + 3 * i];
    c.id = record[0];
    c.h = record[1] >> 4;
    c.v = record[1] & 15;
    c.quant_table = record[2];
    if (c.h < 1 || c.h > kMaxSamplingFactor || c.v < 1 || c.v > kMaxSamplingFactor)
      throw ImageIOException("Sampling factors other than 1 to 4 are not supported.\n");
    if (c.quant_table >= 16) throw ImageIOException("Not defined qtables refered.\n");
    // A single-component scan is not interleaved: its MCU is one block.
    if (component_count_ == 1) c.h = c.v = 1;
    h_max_ = std::max(h_max_, c.h);
    v_max_ = std::max(v_max_, c.v);
    std::fill_n(c.known_bit, kBlockSize, -1);
  }
  mcus_wide_ = (width_ + kBlockSide * h_max_ - 1) / (kBlockSide * h_max_);
  mcus_high_ = (height_ + kBlockSide * v_max_ - 1) / (kBlockSide * v_max_);
  for (int i = 0; i < component_count_; ++i) {
    Component& c = components_[i];
    // Samples of the component: the image's size scaled by its factors, rounded up.
    const int sample_width = (width_ * c.h + h_max_ - 1) / h_max_;
    const int sample_height = (height_ * c.v + v_max_ - 1) / v_max_;
    c.blocks_wide = (sample_width + kBlockSide - 1) / kBlockSide;
    c.blocks_high = (sample_height + kBlockSide - 1) / kBlockSide;
    c.stride = mcus_wide_ * c.h;
  }
}

// The rules of libjpeg: a JFIF file is YCbCr; otherwise an Adobe segment's
// transform decides; otherwise components named 'R', 'G', 'B' mean RGB.
bool JpegDecoder::CodedInRgb() const {
  if (saw_jfif_) return false;
  if (adobe_transform_ >= 0) return adobe_transform_ == kAdobeNoTransform;
  return components_[0].id == 'R' && components_[1].id == 'G' && components_[2].id == 'B';
}

// Four components are CMYK unless Adobe's segment says YCCK.
ColourSpace JpegDecoder::FrameColourSpace() const {
  if (component_count_ == 1) return ColourSpace::kGrey;
  if (component_count_ == 3) return CodedInRgb() ? ColourSpace::kRgb : ColourSpace::kYCbCr;
  return adobe_transform_ == kAdobeYcck ? ColourSpace::kYcck : ColourSpace::kCmyk;
}

// The work buffers and the output, at the first scan.
void JpegDecoder::StartImage() {
  colour_space_ = FrameColourSpace();
  for (int i = 0; i < component_count_; ++i) {
    Component& c = components_[i];
    c.held_rows = progressive_ ? mcus_high_ * c.v : c.v;
    c.coefficients.assign(static_cast<size_t>(c.held_rows) * c.stride * kBlockSize, 0);
    c.samples.resize(static_cast<size_t>(c.stride) * kBlockSide * c.v * kBlockSide);
    c.widened.resize(width_);
    c.column_of_pixel.resize(c.h == h_max_ ? 0 : width_);
    for (size_t x = 0; x < c.column_of_pixel.size(); ++x) c.column_of_pixel[x] = static_cast<int>(x) * c.h / h_max_;
  }
  const size_t pixel_count = static_cast<size_t>(width_) * height_;
  if (colour_space_ == ColourSpace::kGrey)
    grey_pixels_.reset(new Grayscale8[pixel_count]);
  else
    colour_pixels_.reset(new RGBA8[pixel_count]);
}

void JpegDecoder::DecodeScan() {
  if (width_ == 0) throw ImageIOException("There is no SOF0.\n");
  const Scan scan = ReadScanHeader(ReadSegment());
  if (scans_++ == 0) StartImage();

  // One component alone is not interleaved: each of its blocks is an MCU.
  Component& only = *scan.components[0];
  const int units_wide = scan.count == 1 ? only.blocks_wide : mcus_wide_;
  const int units_high = scan.count == 1 ? only.blocks_high : mcus_high_;
  JpegBitReader bits(file_->pos, file_->end);
  for (int i = 0; i < scan.count; ++i) scan.components[i]->predictor = 0;
  eob_run_ = 0;
  int units = 0;
  int restart_number = 0;
  for (int y = 0; y < units_high; ++y) {
    if (!progressive_)
      for (int i = 0; i < scan.count; ++i)
        std::fill(scan.components[i]->coefficients.begin(), scan.components[i]->coefficients.end(), 0);
    for (int x = 0; x < units_wide; ++x, ++units) {
      if (restart_interval_ && units > 0 && units % restart_interval_ == 0) {
        bits.Restart(restart_number);
        restart_number = (restart_number + 1) % kRestartMarkerCount;
        for (int i = 0; i < scan.count; ++i) scan.components[i]->predictor = 0;
        eob_run_ = 0;
      }
      if (scan.count == 1) {
        DecodeUnit(scan, only, y, x, bits);
        continue;
      }
      for (int i = 0; i < scan.count; ++i) {
        Component& c = *scan.components[i];
        for (int v = 0; v < c.v; ++v)
          for (int h = 0; h < c.h; ++h) DecodeUnit(scan, c, y * c.v + v, x * c.h + h, bits);
      }
    }
    bits.CheckNotPastEnd();
    if (!progressive_) OutputMcuRow(y);
  }
  file_->pos = const_cast<unsigned char*>(bits.position());
}

Scan JpegDecoder::ReadScanHeader(const Segment& s) {
  Scan scan;
  scan.count = s.empty() ? 0 : s[0];
  if (progressive_ ? scan.count < 1 || scan.count > component_count_ : scan.count != component_count_)
    throw ImageIOException("Channel number differs in header and acdc_info.\n");
  if (s.size() < 4 + 2 * static_cast<size_t>(scan.count)) throw ImageIOException("Corrupt scan header.\n");
  // Components come in frame order, each once.
  int next_component = 0;
  for (int i = 0; i < scan.count; ++i) {
    const int id = s[1 + 2 * i];
    while (next_component < component_count_ && components_[next_component].id != id) ++next_component;
    if (next_component == component_count_) throw ImageIOException("Scan names a component not in the frame.\n");
    scan.components[i] = &components_[next_component++];
  }
  const uint8_t* spectral = &s[1 + 2 * scan.count];
  if (progressive_) {
    scan.first = spectral[0];
    scan.last = spectral[1];
    scan.high_bit = spectral[2] >> 4;
    scan.low_bit = spectral[2] & 15;
    CheckProgression(scan);
  }
  for (int i = 0; i < scan.count; ++i) {
    Component& c = *scan.components[i];
    SelectTables(scan, s[2 + 2 * i], c);
    if (c.dequant_set) continue;
    if (!quant_[c.quant_table]) throw ImageIOException("Not defined qtables refered.\n");
    BuildJpegDequantTable(quant_[c.quant_table].get(), c.dequant);
    c.dequant_set = true;
  }
  return scan;
}

// A progressive scan's band and bits must follow the scans before it: DC
// before AC, each band's first scan before its refinements, one bit at a time.
void JpegDecoder::CheckProgression(const Scan& scan) {
  if (scan.first > scan.last || scan.last > kLastCoefficient || (scan.first == 0) != (scan.last == 0) ||
      (scan.first > 0 && scan.count != 1))
    throw ImageIOException("Bad spectral selection in a progressive scan.\n");
  if (scan.low_bit > kMaxLowBit || (scan.high_bit != 0 && scan.high_bit != scan.low_bit + 1))
    throw ImageIOException("Bad successive approximation in a progressive scan.\n");
  for (int i = 0; i < scan.count; ++i) {
    int* known_bit = scan.components[i]->known_bit;
    if (scan.first > 0 && known_bit[0] < 0) throw ImageIOException("Progressive scans out of order.\n");
    for (int k = scan.first; k <= scan.last; ++k) {
      if (scan.high_bit == 0 ? known_bit[k] >= 0 : known_bit[k] != scan.high_bit)
        throw ImageIOException("Progressive scans out of order.\n");
      known_bit[k] = scan.low_bit;
    }
  }
}

// The tables the scan uses; refinements of DC use none.
void JpegDecoder::SelectTables(const Scan& scan, int selectors, Component& c) {
  const bool needs_dc = !progressive_ || (scan.first == 0 && scan.high_bit == 0);
  const bool needs_ac = !progressive_ || scan.first > 0;
  c.dc = needs_dc ? HuffmanTable(false, selectors >> 4) : nullptr;
  c.ac = needs_ac ? HuffmanTable(true, selectors & 15) : nullptr;
  if ((needs_dc && !c.dc) || (needs_ac && !c.ac)) throw ImageIOException("Not defined refered huffman tables.\n");
}

// A table the file defines, or else for ids 0 and 1 the standard one, as motion-JPEG frames expect.
const JpegHuffmanTable* JpegDecoder::HuffmanTable(bool ac, int id) {
  std::unique_ptr<JpegHuffmanTable>& table = huffman_[(ac ? 16 : 0) + id];
  if (!table && id < 2) {
    table.reset(new JpegHuffmanTable);
    BuildStandardJpegTable(ac, id, table.get());
  }
  return table.get();
}

void JpegDecoder::DecodeUnit(const Scan& scan, Component& c, int row, int col, JpegBitReader& bits) {
  int16_t* block = c.Block(row, col);
  if (!progressive_)
    DecodeSequentialBlock(bits, *c.dc, *c.ac, c.predictor, block);
  else if (scan.first == 0 && scan.high_bit == 0)
    DecodeFirstDc(bits, *c.dc, scan.low_bit, c.predictor, block);
  else if (scan.first == 0)
    RefineDc(bits, scan.low_bit, block);
  else if (scan.high_bit == 0)
    DecodeFirstAc(bits, *c.ac, scan.first, scan.last, scan.low_bit, eob_run_, block);
  else
    RefineAc(bits, *c.ac, scan.first, scan.last, scan.low_bit, eob_run_, block);
}

// Samples of each component for one MCU row, replicated up to the image's
// resolution and converted into the output's rows.
void JpegDecoder::OutputMcuRow(int mcu_row) {
  const JpegSampleRounding rounding =
      colour_space_ == ColourSpace::kYCbCr || colour_space_ == ColourSpace::kYcck ? JpegSampleRounding::kTruncate
                                                                                   : JpegSampleRounding::kNearest;
  for (int i = 0; i < component_count_; ++i) {
    Component& c = components_[i];
    c.widened_from = nullptr;  // the samples change
    const int plane_width = c.stride * kBlockSide;
    for (int v = 0; v < c.v; ++v)
      for (int h = 0; h < c.stride; ++h)
        JpegInverseDct(c.Block(mcu_row * c.v + v, h), c.dequant, rounding,
                       &c.samples[static_cast<size_t>(v * kBlockSide) * plane_width + h * kBlockSide], plane_width);
  }
  const int mcu_height = kBlockSide * v_max_;
  const int top = mcu_row * mcu_height;
  const int bottom = std::min(height_, top + mcu_height);
  for (int y = top; y < bottom; ++y) {
    const uint8_t* rows[kMaxComponents];
    for (int i = 0; i < component_count_; ++i) {
      Component& c = components_[i];
      const uint8_t* row = &c.samples[static_cast<size_t>((y - top) * c.v / v_max_) * c.stride * kBlockSide];
      if (c.h == h_max_) {
        rows[i] = row;
        continue;
      }
      if (row != c.widened_from) WidenRow(c, row);
      rows[i] = c.widened.data();
    }
    const size_t at = static_cast<size_t>(y) * width_;
    switch (colour_space_) {
      case ColourSpace::kGrey:
        std::memcpy(&grey_pixels_[at], rows[0], width_);
        break;
      case ColourSpace::kYCbCr:
        JpegYCbCrRow(rows[0], rows[1], rows[2], width_, &colour_pixels_[at]);
        break;
      case ColourSpace::kRgb:
        JpegRgbRow(rows[0], rows[1], rows[2], width_, &colour_pixels_[at]);
        break;
      case ColourSpace::kCmyk:
        JpegCmykRow(rows[0], rows[1], rows[2], rows[3], width_, &colour_pixels_[at]);
        break;
      case ColourSpace::kYcck:
        JpegYcckRow(rows[0], rows[1], rows[2], rows[3], width_, &colour_pixels_[at]);
        break;
    }
  }
}

// Replicates each sample over the pixels it covers; twice is the common case, with a faster loop.
void JpegDecoder::WidenRow(Component& c, const uint8_t* row) {
  uint8_t* widened = c.widened.data();
  if (h_max_ == 2 * c.h) {
    JpegDoubleRow(row, width_, widened);
  } else {
    for (int x = 0; x < width_; ++x) widened[x] = row[c.column_of_pixel[x]];
  }
  c.widened_from = row;
}

Image* JpegDecoder::FinishImage() {
  if (grey_pixels_) return new ImageData<Grayscale8>(width_, height_, grey_pixels_.release());
  return new ImageData<RGBA8>(width_, height_, colour_pixels_.release());
}

}  // namespace

Image* ReadJpeg::read(AFILE* file) { return JpegDecoder(file).Decode(); }

}  // namespace imageio
