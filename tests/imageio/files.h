// Test files for the readers: peer tools, PNM and PNG pictures, crafted PNG chunks.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "imageio/image.h"

std::vector<uint8_t> ReadBinary(const std::string& path);
void WriteBinary(const std::string& path, const std::vector<uint8_t>& bytes);
bool Shell(const std::string& command);  // true when it exits 0

struct Pnm {  // 8-bit PGM (1 channel) or PPM (3)
  int width = 0, height = 0, channels = 0;
  std::vector<uint8_t> samples;
};
Pnm ReadPnm(const std::string& path);
void WritePnm(const std::string& path, const Pnm& picture);
Pnm PhotoLike(int width, int height, int channels);  // smooth shading, hard edges, noise

// Null on an ImageIOException, its message then in *error.
std::unique_ptr<imageio::Image> DecodeBytes(imageio::ImageReader& reader, std::vector<uint8_t> bytes,
                                            std::string* error = nullptr);
std::string DecodeError(imageio::ImageReader& reader, const std::vector<uint8_t>& bytes);  // "" on success

struct PngLayout {
  uint32_t width, height;
  int colour_type, depth;
  bool interlaced = false;
  int filters = -1;  // PNG_FILTER_* mask, -1 for libpng's choice
  int compression = 6;
  size_t idat_size = 8192;
  int palette_entries = 0;
};
std::vector<uint8_t> PackedRows(const PngLayout& layout);
std::vector<uint8_t> WritePngWithLibpng(const PngLayout& layout, const std::vector<uint8_t>& rows);
// 8-bit samples: grey expanded, 16-bit stripped, palette to RGB; rgba: all as opaque-filled RGBA.
std::vector<uint8_t> DecodeWithLibpng(const std::vector<uint8_t>& png, bool rgba = false);
std::vector<uint8_t> SamplesOf(imageio::Image* image, int colour_type);  // ours, in the layout above

std::vector<uint8_t> Chunk(const char* type, const std::vector<uint8_t>& data);
std::vector<uint8_t> Header(uint32_t width, uint32_t height, int depth, int colour_type, int interlace = 0);
std::vector<uint8_t> PngFile(const std::vector<std::vector<uint8_t>>& chunks);
std::vector<uint8_t> Zlib(const std::vector<uint8_t>& data, int level = 6, int strategy = 0);
