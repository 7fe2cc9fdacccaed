// Test files for the readers: cjpeg and djpeg, libpng, crafted PNG chunks.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "imageio/image.h"

using Bytes = std::vector<uint8_t>;
Bytes ReadBinary(const std::string& path);
void WriteBinary(const std::string& path, const Bytes& bytes);
bool Shell(const std::string& command);  // true when it exits 0

struct Pnm {  // 8-bit PGM (1 channel) or PPM (3)
  int width = 0, height = 0, channels = 0;
  Bytes samples;
};
// photo: smooth shading, hard edges, noise; sky: near-white gradient with white clouds; text: white and black
// strokes on strong colours; primaries: saturated tiles of the primaries, black and white.
enum class Picture { kPhoto, kBrightSky, kTextOnColour, kPrimaries };
// Writes the picture as STEM.pnm and cjpeg's STEM.jpg of it; returns Djpeg of that.
Pnm Cjpeg(const std::string& stem, int width, int height, const std::string& options, Picture picture = Picture::kPhoto);
// djpeg's decode of the file with the float IDCT and no fancy upsampling, the same method as ours.
Pnm Djpeg(const std::string& jpeg_path);

// Null on an ImageIOException, its message then in *error.
std::unique_ptr<imageio::Image> DecodeBytes(imageio::ImageReader& reader, Bytes bytes, std::string* error = nullptr);
std::string DecodeError(imageio::ImageReader& reader, const Bytes& bytes);  // "" on success

struct PngLayout {
  uint32_t width, height;
  int colour_type, depth;
  bool interlaced = false;
  int filters = -1, compression = 6;  // filters: a PNG_FILTER_* mask, -1 for libpng's choice
  size_t idat_size = 8192;
  int palette_entries = 0;
};
Bytes PackedRows(const PngLayout& layout);
Bytes WritePngWithLibpng(const PngLayout& layout, const Bytes& rows);
// 8-bit samples: grey expanded, 16-bit stripped, palette to RGB; rgba: all as opaque-filled RGBA.
Bytes DecodeWithLibpng(const Bytes& png, bool rgba = false);
Bytes SamplesOf(imageio::Image* image, int colour_type);  // ours, in the layout above

Bytes Chunk(const char* type, const Bytes& data);
Bytes Header(uint32_t width, uint32_t height, int depth, int colour_type, int interlace = 0);
Bytes PngFile(const std::vector<Bytes>& chunks);
Bytes Zlib(const Bytes& data, int level = 6, int strategy = 0);
