// PNG files for the reader tests, written and read back with libpng, and
// hand-made chunks for crafted files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "imageio/image.h"

struct PngLayout {
  uint32_t width;
  uint32_t height;
  int colour_type;
  int depth;
  bool interlaced = false;
  int filters = -1;          // libpng PNG_FILTER_* mask, -1 for libpng's choice
  int compression = 6;       // zlib level; 0 writes stored blocks
  size_t idat_size = 8192;   // bytes per IDAT chunk
  int palette_entries = 0;   // colour type 3
};

// Deterministic samples in the file's packed row layout (16-bit big-endian).
std::vector<uint8_t> PackedRows(const PngLayout& layout);
std::vector<uint8_t> WritePngWithLibpng(const PngLayout& layout, const std::vector<uint8_t>& rows);

// Every pixel's samples as libpng gives them, 8 bits each: grey expanded to
// 0-255, 16-bit stripped to the high byte, palette resolved to RGB.
std::vector<uint8_t> DecodeWithLibpng(const std::vector<uint8_t>& png);
// The same layout from our decoded image of the colour type.
std::vector<uint8_t> SamplesOf(imageio::Image* image, int colour_type);

// Hand-made files: a chunk with its CRC, and a whole file from chunks.
std::vector<uint8_t> Chunk(const char* type, const std::vector<uint8_t>& data);
std::vector<uint8_t> Header(uint32_t width, uint32_t height, int depth, int colour_type, int interlace = 0);
std::vector<uint8_t> PngFile(const std::vector<std::vector<uint8_t>>& chunks);
std::vector<uint8_t> Zlib(const std::vector<uint8_t>& data, int level = 6, int strategy = 0);
// Count of the chunks of the type in a file.
int CountChunks(const std::vector<uint8_t>& png, const char* type);
