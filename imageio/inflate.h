// Decoder for zlib streams (RFC 1950 around RFC 1951 deflate data).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace imageio {

// The concatenation of several buffers, read as one stream of bits, least
// significant bit first, through a 64-bit bit buffer. Past the end the bits
// read as 0, and once one of them has been taken exhausted() is true.
class InflateInput {
 public:
  struct Buffer {
    const uint8_t* data;
    size_t size;
  };
  // The buffers must outlive the reader.
  explicit InflateInput(const std::vector<Buffer>& buffers);

  // The reader's position: the bit buffer and the unread rest of the current
  // buffer. A decoder's inner loop works on a copy held in registers.
  struct Bits {
    uint64_t bits;
    int count;
    const uint8_t* next;
    const uint8_t* end;

    bool CanRefillQuickly() const { return end - next >= 8; }
    // Fills the bit buffer to at least kMinBits bits; CanRefillQuickly must hold.
    void RefillQuickly() {
      uint64_t word;
      std::memcpy(&word, next, 8);
      bits |= ToLittleEndian(word) << count;
      // The bits above count are the stream's next bits too, so loading them
      // again later changes nothing.
      next += (63 - count) >> 3;
      count |= 56;
    }
    void Drop(int n) {
      bits >>= n;
      count -= n;
    }
  };
  Bits Save() const { return s_; }
  void Restore(const Bits& s) { s_ = s; }

  // Fills the bit buffer to at least kMinBits bits.
  void Refill() {
    if (s_.CanRefillQuickly())
      s_.RefillQuickly();
    else
      RefillSlowly();
  }
  // The buffered bits, the next one in bit 0; at least kMinBits after Refill.
  uint64_t Peek() const { return s_.bits; }
  void Drop(int count) { s_.Drop(count); }
  // Up to 32 bits; Refill not needed before.
  uint32_t ReadBits(int count);
  // Drops the rest of the current byte.
  void AlignToByte() { Drop(s_.count & 7); }
  // Copies up to n whole bytes after a byte boundary; returns how many there
  // were.
  size_t ReadAlignedBytes(uint8_t* out, size_t n);
  bool exhausted() const { return exhausted_ || s_.count < zero_bits_; }

  static constexpr int kMinBits = 56;

 private:
  static uint64_t ToLittleEndian(uint64_t word) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    return __builtin_bswap64(word);
#else
    return word;
#endif
  }
  void RefillSlowly();
  // Moves to the next buffer that has bytes left; false when none has.
  bool NextBuffer();

  const std::vector<Buffer>& buffers_;
  size_t buffer_ = 0;
  Bits s_ = {0, 0, nullptr, nullptr};
  // How many of the top buffered bits lie past the end of the input.
  int zero_bits_ = 0;
  bool exhausted_ = false;
};

// Inflates the stream into out, which has room for capacity bytes, and says
// in written how many it wrote. Fails (false) on a malformed stream, a wrong
// Adler-32, or output that would pass capacity (nothing is written past it).
bool Inflate(InflateInput& input, uint8_t* out, size_t capacity, size_t* written);

}  // namespace imageio
