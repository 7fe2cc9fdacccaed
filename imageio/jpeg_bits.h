// The bit reader of JPEG's entropy-coded data: a 64-bit buffer filled from memory, Huffman symbols by table lookup.
#pragma once

#include <cstdint>
#include <cstring>

#include "imageio/image.h"
#include "imageio/jpeg_huffman.h"

namespace imageio {

// Reads the data of one scan from memory. A 0xFF byte followed by 0 is a data
// byte of 0xFF; any other marker, or the end of the data, ends the data, and
// zero bits follow. Using any of those bits is an error: the data was cut
// short or is corrupt.
class JpegBitReader {
  // 1 in each byte of a 64-bit word.
  static constexpr uint64_t kEachByte = 0x0101010101010101u;

 public:
  // Every marker starts with this byte; inside the data it is followed by 0.
  static constexpr uint8_t kMarkerPrefix = 0xFF;

  JpegBitReader(const uint8_t* pos, const uint8_t* end) : pos_(pos), end_(end) {}

  // Where the data ended: the marker that ended it, or the end of the bytes.
  const uint8_t* position() const { return pos_; }

  // Drops the bits of the current byte and continues after the next marker,
  // which must be the restart marker of the given number (0 to 7).
  void Restart(int number);

  // Whether bits past the end of the data were used.
  bool PastEnd() const { return count_ < padding_bits_; }
  void CheckNotPastEnd() const {
    if (PastEnd()) throw ImageIOException("Image data ends inside the scan.\n");
  }

  int ReadBit() {
    if (count_ < 1) Fill();
    const int bit = static_cast<int>(bits_ >> 63);
    bits_ <<= 1;
    --count_;
    return bit;
  }

  // count from 0 to 16.
  int ReadBits(int count) {
    if (count == 0) return 0;
    if (count_ < count) Fill();
    const int value = static_cast<int>(bits_ >> (64 - count));
    bits_ <<= count;
    count_ -= count;
    return value;
  }

  // A coefficient of `size` bits (0 to 16): a first bit of 0 means negative.
  int ReceiveValue(int size) {
    const int bits = ReadBits(size);
    if (size == 0) return 0;
    return bits >> (size - 1) ? bits : bits - (1 << size) + 1;
  }

  // An AC coefficient whose code and value fit in the lookup bits, as the
  // table's run_and_value entry with its bits used; 0 (nothing used) otherwise.
  int DecodeShortRunAndValue(const JpegHuffmanTable& table) {
    if (count_ < JpegHuffmanTable::kMaxLength) Fill();
    const int entry = table.run_and_value[bits_ >> (64 - JpegHuffmanTable::kLookupBits)];
    bits_ <<= entry & 15;
    count_ -= entry & 15;
    return entry;
  }

  int DecodeSymbol(const JpegHuffmanTable& table) {
    if (count_ < JpegHuffmanTable::kMaxLength) Fill();
    const int entry = table.lookup[bits_ >> (64 - JpegHuffmanTable::kLookupBits)];
    if (entry) {
      bits_ <<= entry >> 8;
      count_ -= entry >> 8;
      return entry & 0xFF;
    }
    return DecodeLongSymbol(table);
  }

 private:
  // Tops the buffer up to at least 57 bits: eight bytes at once while none of them is 0xFF.
  void Fill() {
    if (padding_bits_ == 0 && count_ < 56 && end_ - pos_ >= 8) {
      const uint64_t next = BigEndian64(pos_);
      const uint64_t inverted = ~next;
      if (((inverted - kEachByte) & ~inverted & (kEachByte << 7)) == 0) {
        const int bytes = (63 - count_) / 8;
        bits_ |= next >> (64 - 8 * bytes) << (64 - 8 * bytes - count_);
        count_ += 8 * bytes;
        pos_ += bytes;
        return;
      }
    }
    FillByBytes();
  }

  // One byte at a time, up to a marker or the end of the data, then zero bits.
  void FillByBytes() {
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

  // A code longer than the lookup's bits, by the canonical code ranges.
  int DecodeLongSymbol(const JpegHuffmanTable& table) {
    const int32_t next = static_cast<int32_t>(bits_ >> (64 - JpegHuffmanTable::kMaxLength));
    for (int length = JpegHuffmanTable::kLookupBits + 1; length <= JpegHuffmanTable::kMaxLength; ++length) {
      const int32_t code = next >> (JpegHuffmanTable::kMaxLength - length);
      if (code <= table.max_code[length]) {
        bits_ <<= length;
        count_ -= length;
        return table.symbols[(table.symbol_offset[length] + code) & 0xFF];
      }
    }
    CheckNotPastEnd();
    throw ImageIOException("Huffman code not in table.\n");
  }

  static uint64_t BigEndian64(const uint8_t* p) {
#if defined(__GNUC__) && defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    uint64_t word;
    std::memcpy(&word, p, sizeof(word));
    return __builtin_bswap64(word);
#else
    uint64_t word = 0;
    for (int i = 0; i < 8; ++i) word = word << 8 | p[i];
    return word;
#endif
  }

  const uint8_t* pos_;
  const uint8_t* end_;
  uint64_t bits_ = 0;  // the next bits, from the top
  int count_ = 0;
  int padding_bits_ = 0;  // zero bits after the end of the data, at the buffer's bottom
};

}  // namespace imageio
