// Building canonical Huffman lookup tables from a DHT segment's counts and symbols.
#include "imageio/jpeg_huffman.h"

namespace imageio {

bool BuildJpegHuffmanTable(const uint8_t counts[16], const uint8_t* symbols, JpegHuffmanTable* table) {
  int32_t code = 0;
  int32_t next_symbol = 0;
  for (int length = 1; length <= JpegHuffmanTable::kMaxLength; ++length) {
    const int count = counts[length - 1];
    table->first_symbol[length] = next_symbol;
    table->min_code[length] = code;
    table->max_code[length] = count ? code + count - 1 : -1;
    for (int i = 0; i < count; ++i) {
      table->symbols[next_symbol] = symbols[next_symbol];
      ++next_symbol;
      if (++code >= (1 << length)) return false;
    }
    code <<= 1;
  }
  return true;
}

}  // namespace imageio
