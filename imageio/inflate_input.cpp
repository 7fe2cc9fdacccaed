// The inflate bit reader's slow paths: buffer boundaries, the end of the input and whole bytes.
#include "imageio/inflate.h"

#include <algorithm>

namespace imageio {

InflateInput::InflateInput(const std::vector<Buffer>& buffers) : buffers_(buffers) {
  if (!buffers_.empty()) {
    s_.next = buffers_[0].data;
    s_.end = s_.next + buffers_[0].size;
  }
}

bool InflateInput::NextBuffer() {
  while (s_.next == s_.end) {
    if (buffer_ + 1 >= buffers_.size()) return false;
    ++buffer_;
    s_.next = buffers_[buffer_].data;
    s_.end = s_.next + buffers_[buffer_].size;
  }
  return true;
}

void InflateInput::RefillSlowly() {
  if (s_.count < zero_bits_) exhausted_ = true;
  while (s_.count < kMinBits) {
    if (zero_bits_ == 0 && NextBuffer()) {
      s_.bits |= static_cast<uint64_t>(*s_.next++) << s_.count;
    } else {
      // Past the end: a byte of zeros (the bits above count are already 0).
      zero_bits_ += 8;
    }
    s_.count += 8;
  }
}

uint32_t InflateInput::ReadBits(int count) {
  if (s_.count < count) Refill();
  const uint32_t value = static_cast<uint32_t>(s_.bits & ((uint64_t{1} << count) - 1));
  Drop(count);
  return value;
}

size_t InflateInput::ReadAlignedBytes(uint8_t* out, size_t n) {
  size_t done = 0;
  for (; done < n && s_.count > zero_bits_; ++done) out[done] = static_cast<uint8_t>(ReadBits(8));
  if (done == n) return n;
  if (s_.count < zero_bits_) exhausted_ = true;
  // The buffered bits are used up: what they still hold is either zeros or
  // bytes read again below.
  s_.bits = 0;
  s_.count = 0;
  zero_bits_ = 0;
  while (done < n && !exhausted_ && NextBuffer()) {
    const size_t run = std::min<size_t>(n - done, s_.end - s_.next);
    std::memcpy(out + done, s_.next, run);
    s_.next += run;
    done += run;
  }
  if (done < n) exhausted_ = true;
  return done;
}

}  // namespace imageio
