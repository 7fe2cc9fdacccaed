// Decoder for zlib streams (RFC 1950 around RFC 1951 deflate data).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace imageio {

// The concatenation of several buffers, read as one stream of bits, least
// significant bit first. Past the end the bits read as 0 and exhausted() is
// set.
class InflateInput {
 public:
  explicit InflateInput(const std::vector<std::vector<uint8_t>>& buffers) : buffers_(buffers) {}
  int ReadBits(int count);
  // Drops the rest of the current byte.
  void AlignToByte() { bits_left_ = 0; }
  // The next whole byte, or -1 when the buffers are used up.
  int ReadAlignedByte();
  bool exhausted() const { return exhausted_; }

 private:
  const std::vector<std::vector<uint8_t>>& buffers_;
  size_t buffer_ = 0;
  size_t offset_ = 0;
  uint32_t current_ = 0;
  int bits_left_ = 0;
  bool exhausted_ = false;
};

// Appends the stream's data to out. Fails (false) on a malformed stream, a
// wrong Adler-32, or output that would grow out past max_size.
bool Inflate(InflateInput& input, std::vector<uint8_t>* out, size_t max_size);

}  // namespace imageio
