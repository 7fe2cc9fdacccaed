// Building 3DS files byte by byte for the reader and loader tests.
#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>

namespace chunk_bytes {

inline std::string U16(uint32_t v) { return {char(v & 0xFF), char(v >> 8 & 0xFF)}; }
inline std::string U32(uint32_t v) { return U16(v & 0xFFFF) + U16(v >> 16); }
inline std::string F32(float f) {
  uint32_t bits;
  std::memcpy(&bits, &f, 4);
  return U32(bits);
}
inline std::string Floats(std::initializer_list<float> values) {
  std::string s;
  for (float f : values) s += F32(f);
  return s;
}
inline std::string Str(const std::string& s) { return s + '\0'; }
// A chunk's bytes: id, total length (header included), payload.
inline std::string Bytes(uint32_t id, const std::string& payload) { return U16(id) + U32(uint32_t(payload.size() + 6)) + payload; }

inline std::string Track(uint32_t last_frame, uint32_t count, const std::string& keys) {
  return U16(0) + U32(0) + U32(last_frame) + U32(count) + keys;
}
inline std::string Key(uint32_t frame, uint16_t flags, const std::string& values) { return U32(frame) + U16(flags) + values; }

}  // namespace chunk_bytes
