// Writing nested 3DS chunks with their lengths patched in.
#include "tools/content/chunk_writer.h"

#include <cstring>
#include <stdexcept>

void ChunkWriter::Begin(uint16_t id) {
  open_.push_back(bytes_.size());
  U16(id);
  U32(0);
}

void ChunkWriter::End() {
  if (open_.empty()) throw std::logic_error("ChunkWriter::End without Begin");
  const size_t start = open_.back();
  open_.pop_back();
  const uint64_t length = bytes_.size() - start;
  if (length > UINT32_MAX) throw std::length_error("3DS chunk larger than 4 GiB");
  for (int i = 0; i < 4; ++i) bytes_[start + 2 + i] = uint8_t(length >> (8 * i));
}

void ChunkWriter::U8(uint8_t v) { bytes_.push_back(v); }

void ChunkWriter::U16(uint16_t v) {
  U8(uint8_t(v));
  U8(uint8_t(v >> 8));
}

void ChunkWriter::U32(uint32_t v) {
  U16(uint16_t(v));
  U16(uint16_t(v >> 16));
}

void ChunkWriter::F32(float v) {
  uint32_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  U32(bits);
}

void ChunkWriter::Text(const std::string& s) {
  bytes_.insert(bytes_.end(), s.begin(), s.end());
  U8(0);
}

const std::vector<uint8_t>& ChunkWriter::Bytes() const {
  if (!open_.empty()) throw std::logic_error("ChunkWriter: unterminated chunk");
  return bytes_;
}
