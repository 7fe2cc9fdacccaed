// The JPEG reader, top-down in stream order: markers, tables, frame, scan, MCUs, blocks, bits.
#include "imageio/jpeg_reader.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "imageio/jpeg_huffman.h"
#include "imageio/jpeg_transform.h"

namespace imageio {
namespace {

constexpr int kMaxFrameSide = 16384;
constexpr int kMaxComponents = 3;

// Every marker is this byte and a code; inside the scan's data, the byte
// followed by 0 is a data byte of that value.
constexpr int kMarkerPrefix = 0xFF;
// Marker codes, the byte after kMarkerPrefix.
constexpr int kStartOfImage = 0xD8;
constexpr int kEndOfImage = 0xD9;
constexpr int kBaselineFrame = 0xC0;
constexpr int kExtendedFrame = 0xC1;
constexpr int kProgressiveFrame = 0xC2;
constexpr int kHuffmanTables = 0xC4;
constexpr int kQuantTables = 0xDB;
constexpr int kRestartInterval = 0xDD;
constexpr int kStartOfScan = 0xDA;
constexpr int kJfifApp = 0xE0;
constexpr int kAdobeApp = 0xEE;

// Adobe's colour transform byte: 0 means the components are R, G, B.
constexpr uint8_t kAdobeNoTransform = 0;
constexpr size_t kAdobeTransformAt = 11;

struct Component {
  int id = 0;
  int h = 1;  // sampling factors
  int v = 1;
  int quant_table = 0;
  const JpegHuffmanTable* dc = nullptr;
  const JpegHuffmanTable* ac = nullptr;
  float dequant[64];
  int32_t predictor = 0;
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
  Image* DecodeScan();
  void PrepareScanComponents(const Segment& scan);
  void DecodeMcu(float planes[][16 * 16], float* scratch, int mcu_width, int mcu_height);
  void DecodeBlock(Component& c, float* window);
  int ReadBit();
  int ReadBits(int count);
  int ReceiveValue(int size);
  int DecodeSymbol(const JpegHuffmanTable& table);

  AFILE* file_;
  std::unique_ptr<JpegHuffmanTable> huffman_[32];
  std::unique_ptr<int32_t[]> quant_[16];
  Component components_[kMaxComponents];
  int width_ = 0;
  int height_ = 0;
  int component_count_ = 0;
  int restart_interval_ = 0;
  bool saw_jfif_ = false;
  int adobe_transform_ = -1;  // -1: no Adobe segment
  int current_byte_ = 0;
  int bit_position_ = -1;
};

int ReadWord(const uint8_t* p) { return p[0] << 8 | p[1]; }

int JpegDecoder::NextMarker() {
  int c;
  do {
    c = afgetc(file_);
    if (c < 0) return 0;
  } while (c != kMarkerPrefix);
  do {
    c = afgetc(file_);
    if (c < 0) return 0;
  } while (c == kMarkerPrefix);
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
    if (s.size() - at < 64 * entry_bytes) return false;
    quant_[id].reset(new int32_t[64]);
    for (int k = 0; k < 64; ++k, at += entry_bytes)
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
  if (marker == kProgressiveFrame) throw ImageIOException("Progressive JPEG is not supported.\n");
  const Segment s = ReadSegment();
  if (s.size() < 6) throw ImageIOException("Corrupt frame header.\n");
  if (s[0] != 8) throw ImageIOException("Precision is not 8 bit/pixel.\n");
  height_ = ReadWord(&s[1]);
  width_ = ReadWord(&s[3]);
  component_count_ = s[5];
  if (component_count_ != 1 && component_count_ != 3) throw ImageIOException("Supports only Y or YCbCr mode.\n");
  if (width_ > kMaxFrameSide || height_ > kMaxFrameSide)
    throw ImageIOException("Image is larger than 16384 pixels.\n");
  if (s.size() < 6 + 3 * static_cast<size_t>(component_count_)) throw ImageIOException("Corrupt frame header.\n");
  for (int i = 0; i < component_count_; ++i) {
    Component& c = components_[i];
    const uint8_t* record = &s[6 + 3 * i];
    c.id = record[0];
    c.h = record[1] >> 4;
    c.v = record[1] & 15;
    c.quant_table = record[2];
    if (c.h < 1 || c.h > 2 || c.v < 1 || c.v > 2)
      throw ImageIOException("Sampling factors other than 1 and 2 are not supported.\n");
    // A single-component scan is not interleaved: its MCU is one block.
    if (component_count_ == 1) c.h = c.v = 1;
  }
}

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
        return DecodeScan();
      default:
        ReadSegment();
        break;
    }
  }
  throw ImageIOException("No image data.");
}

void JpegDecoder::PrepareScanComponents(const Segment& scan) {
  if (scan.empty() || scan[0] != component_count_)
    throw ImageIOException("Channel number differs in header and acdc_info.\n");
  if (scan.size() < 1 + 2 * static_cast<size_t>(component_count_)) throw ImageIOException("Corrupt scan header.\n");
  for (int i = 0; i < component_count_; ++i) {
    Component& c = components_[i];
    const int selectors = scan[2 + 2 * i];
    c.dc = huffman_[selectors >> 4].get();
    c.ac = huffman_[16 + (selectors & 15)].get();
    if (!c.dc || !c.ac) throw ImageIOException("Not defined refered huffman tables.\n");
    if (c.quant_table >= 16 || !quant_[c.quant_table]) throw ImageIOException("Not defined qtables refered.\n");
    c.predictor = 0;
    BuildJpegDequantTable(quant_[c.quant_table].get(), c.dequant);
  }
}

// The rules of libjpeg: a JFIF file is YCbCr; otherwise an Adobe segment's
// transform decides; otherwise components named 'R', 'G', 'B' mean RGB.
bool JpegDecoder::CodedInRgb() const {
  if (component_count_ != 3 || saw_jfif_) return false;
  if (adobe_transform_ >= 0) return adobe_transform_ == kAdobeNoTransform;
  return components_[0].id == 'R' && components_[1].id == 'G' && components_[2].id == 'B';
}

Image* JpegDecoder::DecodeScan() {
  if (width_ == 0) throw ImageIOException("There is no SOF0.\n");
  PrepareScanComponents(ReadSegment());

  int h_max = 1;
  int v_max = 1;
  for (int i = 0; i < component_count_; ++i) {
    h_max = std::max(h_max, components_[i].h);
    v_max = std::max(v_max, components_[i].v);
  }
  const int mcu_width = 8 * h_max;
  const int mcu_height = 8 * v_max;
  const size_t pixel_count = static_cast<size_t>(width_) * height_;
  const bool gray = component_count_ == 1;
  const bool rgb = CodedInRgb();
  std::unique_ptr<Grayscale8[]> gray_pixels(gray ? new Grayscale8[pixel_count] : nullptr);
  std::unique_ptr<RGBA8[]> colour_pixels(gray ? nullptr : new RGBA8[pixel_count]);

  float planes[kMaxComponents][16 * 16];
  float scratch[16 * 16];
  bit_position_ = -1;
  int mcus_since_restart = 0;
  for (int y = 0; y < height_; y += mcu_height) {
    for (int x = 0; x < width_; x += mcu_width) {
      DecodeMcu(planes, scratch, mcu_width, mcu_height);
      const int visible_width = std::min(mcu_width, width_ - x);
      const int visible_height = std::min(mcu_height, height_ - y);
      for (int py = 0; py < visible_height; ++py) {
        const size_t row = static_cast<size_t>(y + py) * width_ + x;
        for (int px = 0; px < visible_width; ++px) {
          const int at = py * kJpegPlaneStride + px;
          if (gray)
            gray_pixels[row + px].value = JpegSample(planes[0][at]);
          else if (rgb)
            colour_pixels[row + px] = JpegRgbPixel(planes[0][at], planes[1][at], planes[2][at]);
          else
            colour_pixels[row + px] = JpegColourPixel(planes[0][at], planes[1][at], planes[2][at]);
        }
      }
      if (restart_interval_ && ++mcus_since_restart == restart_interval_) {
        afgetc(file_);
        afgetc(file_);
        for (int i = 0; i < component_count_; ++i) components_[i].predictor = 0;
        mcus_since_restart = 0;
        bit_position_ = -1;
      }
    }
  }
  if (gray) return new ImageData<Grayscale8>(width_, height_, gray_pixels.release());
  return new ImageData<RGBA8>(width_, height_, colour_pixels.release());
}

void JpegDecoder::DecodeMcu(float planes[][16 * 16], float* scratch, int mcu_width, int mcu_height) {
  const int h_max = mcu_width / 8;
  const int v_max = mcu_height / 8;
  for (int i = 0; i < component_count_; ++i) {
    Component& c = components_[i];
    const bool full = c.h == h_max && c.v == v_max;
    float* target = full ? planes[i] : scratch;
    for (int v = 0; v < c.v; ++v)
      for (int h = 0; h < c.h; ++h) DecodeBlock(c, target + 8 * v * kJpegPlaneStride + 8 * h);
    if (full) continue;
    const int x_shift = c.h < h_max ? 1 : 0;
    const int y_shift = c.v < v_max ? 1 : 0;
    for (int py = 0; py < mcu_height; ++py)
      for (int px = 0; px < mcu_width; ++px)
        planes[i][py * kJpegPlaneStride + px] = scratch[(py >> y_shift) * kJpegPlaneStride + (px >> x_shift)];
  }
}

void JpegDecoder::DecodeBlock(Component& c, float* window) {
  for (int row = 0; row < 8; ++row) std::fill_n(window + row * kJpegPlaneStride, 8, 0.0f);
  const int dc_size = DecodeSymbol(*c.dc) & 15;
  c.predictor = static_cast<int32_t>(static_cast<uint32_t>(c.predictor) + static_cast<uint32_t>(ReceiveValue(dc_size)));
  window[0] = static_cast<float>(c.predictor) * c.dequant[0];
  for (int k = 0; k < 63;) {
    const int symbol = DecodeSymbol(*c.ac);
    const int run = symbol >> 4;
    const int size = symbol & 15;
    if (run == 0 && size == 0) break;
    const int value = ReceiveValue(size);
    k += run;
    if (k >= 63) break;  // a run past the block's end: corrupt data
    const int natural = kJpegZigzag[k + 1];
    window[(natural >> 3) * kJpegPlaneStride + (natural & 7)] = static_cast<float>(value) * c.dequant[natural];
    ++k;
  }
  JpegInverseDct(window);
}

int JpegDecoder::ReadBit() {
  if (bit_position_ < 0) {
    int byte = afgetc(file_);
    while (byte == kMarkerPrefix) {
      const int next = afgetc(file_);
      if (next == 0) break;
      if (next < 0) {
        byte = -1;
      } else if (next < kMarkerPrefix) {
        byte = afgetc(file_);  // a marker inside the data is skipped
      }
    }
    if (byte < 0) throw ImageIOException("Image data ends inside the scan.\n");
    current_byte_ = byte;
    bit_position_ = 7;
  }
  return (current_byte_ >> bit_position_--) & 1;
}

int JpegDecoder::ReadBits(int count) {
  int value = 0;
  for (int i = 0; i < count; ++i) value = value << 1 | ReadBit();
  return value;
}

int JpegDecoder::ReceiveValue(int size) {
  if (size == 0) return 0;
  const int bits = ReadBits(size);
  return bits >> (size - 1) ? bits : bits - (1 << size) + 1;
}

int JpegDecoder::DecodeSymbol(const JpegHuffmanTable& table) {
  int32_t code = 0;
  for (int length = 1; length <= JpegHuffmanTable::kMaxLength; ++length) {
    code = code << 1 | ReadBit();
    if (code <= table.max_code[length]) return table.symbols[table.first_symbol[length] + code - table.min_code[length]];
  }
  throw ImageIOException("Huffman code not in table.\n");
}

}  // namespace

Image* ReadJpeg::read(AFILE* file) { return JpegDecoder(file).Decode(); }

}  // namespace imageio
