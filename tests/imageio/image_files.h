// Files for the reader tests: running the peer tools, PNM pictures, and
// decoding a disk file with one of our readers.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "imageio/image.h"

std::vector<uint8_t> ReadBinary(const std::string& path);
void WriteBinary(const std::string& path, const std::vector<uint8_t>& bytes);

// Runs a shell command; true when it exits with status 0.
bool Shell(const std::string& command);

// An 8-bit PGM (1 channel) or PPM (3 channels).
struct Pnm {
  int width = 0;
  int height = 0;
  int channels = 0;
  std::vector<uint8_t> samples;
};
Pnm ReadPnm(const std::string& path);
void WritePnm(const std::string& path, const Pnm& picture);

// A deterministic picture with smooth shading, hard edges and fine noise.
Pnm PhotoLike(int width, int height, int channels);

// Decodes the file with the reader; the exception's message is stored in
// *error (when given) and null returned instead of throwing.
std::unique_ptr<imageio::Image> DecodeFile(imageio::ImageReader& reader, const std::string& path,
                                           std::string* error = nullptr);
std::unique_ptr<imageio::Image> DecodeBytes(imageio::ImageReader& reader, std::vector<uint8_t> bytes,
                                            std::string* error = nullptr);

// The message that decoding the bytes throws, or "" when it succeeds.
std::string DecodeError(imageio::ImageReader& reader, const std::vector<uint8_t>& bytes);
