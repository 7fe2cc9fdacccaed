// Canonical Huffman tables of JPEG's DHT segments.
#pragma once

#include <cstdint>

namespace imageio {

struct JpegHuffmanTable {
  static constexpr int kMaxLength = 16;
  // For each code length: the first and last code (max -1 when there is
  // none) and the index of the first code's symbol.
  int32_t min_code[kMaxLength + 1];
  int32_t max_code[kMaxLength + 1];
  int32_t first_symbol[kMaxLength + 1];
  uint8_t symbols[kMaxLength * 255];
};

// Builds the table from the 16 code counts (lengths 1 to 16) and the symbols
// in code order. False when a code would not fit its length; a code of all
// one bits counts as not fitting, as JPEG reserves it.
bool BuildJpegHuffmanTable(const uint8_t counts[16], const uint8_t* symbols, JpegHuffmanTable* table);

}  // namespace imageio
