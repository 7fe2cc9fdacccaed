// Filling the JPEG bit reader's buffer, long Huffman codes and restart markers.
#include "imageio/jpeg_bits.h"

namespace imageio {
namespace {

constexpr uint8_t kMarkerPrefix = 0xFF;
constexpr int kFirstRestartMarker = 0xD0;

}  // namespace

void JpegBitReader::FillByBytes() {
  while (count_ <= 56) {
    uint64_t byte = 0;
    if (padding_bits_ == 0 && pos_ < end_) {
      byte = *pos_;
      if (byte == kMarkerPrefix) {
        // Fill bytes of 0xFF may come before a marker.
        const uint8_t* next = pos_ + 1;
        while (next < end_ && *next == kMarkerPrefix) ++next;
        if (next < end_ && *next == 0) {
          pos_ = next + 1;
        } else {
          byte = 0;
          padding_bits_ = 8;
        }
      } else {
        ++pos_;
      }
    } else {
      padding_bits_ += 8;
    }
    bits_ |= byte << (56 - count_);
    count_ += 8;
  }
}

int JpegBitReader::DecodeLongSymbol(const JpegHuffmanTable& table) {
  const int32_t next = static_cast<int32_t>(bits_ >> (64 - JpegHuffmanTable::kMaxLength));
  for (int length = JpegHuffmanTable::kLookupBits + 1; length <= JpegHuffmanTable::kMaxLength; ++length) {
    const int32_t code = next >> (JpegHuffmanTable::kMaxLength - length);
    if (code <= table.max_code[length]) {
      bits_ <<= length;
      count_ -= length;
      return table.symbols[(table.symbol_offset[length] + code) & 0xFF];
    }
  }
  throw ImageIOException("Huffman code not in table.\n");
}

void JpegBitReader::Restart(int number) {
  CheckNotPastEnd();
  // Bytes left before the marker are dropped, as the bits left in the buffer are.
  while (pos_ < end_ && (*pos_ != kMarkerPrefix || pos_ + 1 == end_ || pos_[1] == 0)) ++pos_;
  while (pos_ < end_ && *pos_ == kMarkerPrefix) ++pos_;
  if (pos_ == end_) throw ImageIOException("Image data ends inside the scan.\n");
  if (*pos_ != kFirstRestartMarker + number) throw ImageIOException("Restart marker not found.\n");
  ++pos_;
  bits_ = 0;
  count_ = 0;
  padding_bits_ = 0;
}

}  // namespace imageio
