#include "archive/crc32.h"

void BuildCrc32Table(uint32_t table[256]) {
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t r = i;
    for (int bit = 0; bit < 8; ++bit) r = (r & 1) ? (r >> 1) ^ 0xEDB88320u : r >> 1;
    table[i] = r;
  }
}

uint32_t UpdateCrc32(const uint32_t table[256], uint32_t crc, const unsigned char* bytes, size_t n) {
  for (size_t i = 0; i < n; ++i) crc = table[(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
  return crc;
}
