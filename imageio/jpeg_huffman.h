// Canonical Huffman tables of JPEG's DHT segments, with a lookup of short codes, and the standard tables that
// motion-JPEG frames leave out.
#pragma once

#include <cstdint>

namespace imageio {

struct JpegHuffmanTable {
  static constexpr int kMaxLength = 16;
  // Codes of up to this many bits are found with one lookup of the next bits.
  static constexpr int kLookupBits = 10;
  // For each code length: the largest code (-1 when there is none) and the
  // index of the length's first symbol minus its first code.
  int32_t max_code[kMaxLength + 1];
  int32_t symbol_offset[kMaxLength + 1];
  // By the next kLookupBits bits: code length << 8 | symbol, or 0 when the
  // code is longer.
  uint16_t lookup[1 << kLookupBits];
  // For AC tables, by the same bits: a code and its value that fit in them
  // together, as value << 8 | run << 4 | bits used; 0 when they don't.
  int16_t run_and_value[1 << kLookupBits];
  uint8_t symbols[256];
};

// Builds the table from the 16 code counts (lengths 1 to 16) and the symbols
// in code order. False when a code would not fit its length (a code of all one
// bits counts as not fitting, as JPEG reserves it) or there are more than 256.
bool BuildJpegHuffmanTable(const uint8_t counts[16], const uint8_t* symbols, JpegHuffmanTable* table);

// The example tables of the JPEG standard, which decoders use when a frame
// has none (motion-JPEG frames): 0 luminance and 1 chrominance, for DC and AC.
void BuildStandardJpegTable(bool ac, int id, JpegHuffmanTable* table);

}  // namespace imageio
