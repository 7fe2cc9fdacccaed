// The CRC-32 tables and the sixteen-bytes-a-step update.
#include "archive/crc32.h"

void BuildCrc32Tables(Crc32Tables* tables) {
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t r = i;
    for (int bit = 0; bit < 8; ++bit) r = (r & 1) ? (r >> 1) ^ 0xEDB88320u : r >> 1;
    tables->t[0][i] = r;
  }
  for (uint32_t i = 0; i < 256; ++i)
    for (int k = 1; k < 16; ++k) {
      const uint32_t prev = tables->t[k - 1][i];
      tables->t[k][i] = (prev >> 8) ^ tables->t[0][prev & 0xFF];
    }
}

uint32_t UpdateCrc32(const Crc32Tables& tables, uint32_t crc, const unsigned char* bytes, size_t n) {
  const auto& t = tables.t;
  for (; n >= 16; n -= 16, bytes += 16) {
    const uint32_t lo = crc ^ (bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint32_t>(bytes[3]) << 24);
    crc = t[15][lo & 0xFF] ^ t[14][lo >> 8 & 0xFF] ^ t[13][lo >> 16 & 0xFF] ^ t[12][lo >> 24] ^ t[11][bytes[4]] ^
          t[10][bytes[5]] ^ t[9][bytes[6]] ^ t[8][bytes[7]] ^ t[7][bytes[8]] ^ t[6][bytes[9]] ^ t[5][bytes[10]] ^
          t[4][bytes[11]] ^ t[3][bytes[12]] ^ t[2][bytes[13]] ^ t[1][bytes[14]] ^ t[0][bytes[15]];
  }
  for (; n > 0; --n, ++bytes) crc = t[0][(crc ^ *bytes) & 0xFF] ^ (crc >> 8);
  return crc;
}
