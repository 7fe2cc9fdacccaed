// The ARJ decoders' bit reader: a 64-bit buffer over the entry's compressed
// bytes, most significant bit first, that leaves the archive where a reader
// with a 16-bit look-ahead would (so the next header is read from the same
// place).
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "archive/arj_internal.h"

class ArjBits {
 public:
  // Starts at the input's position, over reader.compressed_left bytes.
  explicit ArjBits(ArjReader& reader)
      : reader_(&reader), start_(reader.input->pos), next_(reader.input->pos), compressed_(reader.compressed_left) {
    const size_t present = static_cast<size_t>(reader.input->end - reader.input->pos);
    real_end_ = start_ + std::min<size_t>(present, compressed_);
  }

  // Fills the buffer to at least kMinBits bits. Past the input's end the
  // entry's bytes read as 0xFF; past the entry's compressed size, as 0.
  void Refill() {
    if (real_end_ - next_ >= 8) {
      uint64_t word;
      std::memcpy(&word, next_, 8);
      bits_ |= FromBigEndian(word) >> count_;
      // The bits below the counted ones are the stream's next bits too, so
      // loading them again later changes nothing.
      next_ += (63 - count_) >> 3;
      count_ |= 56;
      return;
    }
    while (count_ < kMinBits) {
      uint64_t byte;
      if (next_ < real_end_) {
        byte = *next_++;
      } else {
        byte = Loaded() < compressed_ ? 0xFF : 0;
        ++beyond_;
      }
      bits_ |= byte << (56 - count_);
      count_ += 8;
    }
  }
  // The next n bits (1 to 32) as a number, first bit highest.
  uint32_t Peek(int n) const { return static_cast<uint32_t>(bits_ >> (64 - n)); }
  void Drop(int n) {
    bits_ <<= n;
    count_ -= n;
  }
  // How many one bits come next, up to most (below 64).
  int OnesAhead(int most) const { return __builtin_clzll(~bits_ | (uint64_t{1} << (63 - most))); }

  // Method 4 reads through a 16-bit store that takes 16 bits at a time from
  // the stream; these give how many bits it holds after single-bit reads of
  // flags, and after a read of a width-bit word.
  static int StoreAfterBits(int store, int flags) { return flags <= store ? store - flags : store + 16 - flags; }
  static int StoreAfterWord(int store, int width) { return width <= store ? store - width : 16 - width; }

  // Leaves the input after the bytes a 16-bit look-ahead reader (with store
  // bits more taken) would have read, and counts them off the entry.
  void Finish(int store) const {
    const uint64_t used = 8 * Loaded() - count_ + store;
    const uint64_t taken = std::min<uint64_t>(compressed_, (used + kLookAheadBits + 7) / 8);
    reader_->input->pos += std::min<uint64_t>(taken, real_end_ - start_);
    reader_->compressed_left = static_cast<uint32_t>(compressed_ - taken);
  }

  static constexpr int kMinBits = 56;

 private:
  static constexpr int kLookAheadBits = 16;

  static uint64_t FromBigEndian(uint64_t word) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    return word;
#else
    return __builtin_bswap64(word);
#endif
  }
  uint64_t Loaded() const { return static_cast<uint64_t>(next_ - start_) + beyond_; }

  ArjReader* reader_;
  const unsigned char* start_;
  const unsigned char* next_;
  const unsigned char* real_end_;
  uint64_t compressed_;
  uint64_t beyond_ = 0;  // bytes read past the input's end or the entry's size
  uint64_t bits_ = 0;
  int count_ = 0;
};
