// Copying an LZ77 match inside its own output, a word at a time, for the ARJ and deflate decoders.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

// Copies length bytes from distance (at least 1) bytes back, forward, so that
// an overlapping copy repeats the pattern. Writes nothing past the match (a
// window may still need the bytes there) and reads only bytes before it.
inline void CopyMatchQuickly(uint8_t* to, size_t distance, size_t length) {
  const uint8_t* from = to - distance;
  uint8_t* const end = to + length;
  if (distance < 8) {
    if (distance == 1) {
      std::memset(to, *from, length);
      return;
    }
    // A whole number of periods of at least 8 bytes is a distance the word
    // copy below can take; lay down that much byte by byte first.
    const size_t period = distance * ((8 + distance - 1) / distance);
    const size_t first = std::min(period, length);
    for (size_t i = 0; i < first; ++i) to[i] = from[i];
    to += first;
    from = to - period;
  }
  for (; end - to >= 8; to += 8, from += 8) {
    uint64_t word;
    std::memcpy(&word, from, 8);
    std::memcpy(to, &word, 8);
  }
  while (to < end) *to++ = *from++;
}
