// CRC-32 of ISO 3309 (reflected polynomial 0xEDB88320), table-driven: the
// first of the tables is the classic byte table, the others let the update
// take sixteen bytes a step.
#pragma once

#include <cstddef>
#include <cstdint>

struct Crc32Tables {
  uint32_t t[16][256];
};

void BuildCrc32Tables(Crc32Tables* tables);

// Runs the bytes through the register; preset it to 0xFFFFFFFF and
// complement the result.
uint32_t UpdateCrc32(const Crc32Tables& tables, uint32_t crc, const unsigned char* bytes, size_t n);
