// CRC-32 of ISO 3309 (reflected polynomial 0xEDB88320), table-driven.
#pragma once

#include <cstddef>
#include <cstdint>

void BuildCrc32Table(uint32_t table[256]);

// Runs the bytes through the register; preset it to 0xFFFFFFFF and
// complement the result.
uint32_t UpdateCrc32(const uint32_t table[256], uint32_t crc, const unsigned char* bytes, size_t n);
