// Little-endian byte writer for nested 3DS chunks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class ChunkWriter {
 public:
  // Opens a chunk; its length is filled in by the matching End().
  void Begin(uint16_t id);
  void End();

  void U8(uint8_t v);
  void U16(uint16_t v);
  void U32(uint32_t v);
  void F32(float v);
  // Zero-terminated text.
  void Text(const std::string& s);

  // The finished bytes; every Begin() must have been ended.
  const std::vector<uint8_t>& Bytes() const;

 private:
  std::vector<uint8_t> bytes_;
  std::vector<size_t> open_;
};
