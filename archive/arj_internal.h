// State and helpers shared by the ARJ header reader and its decoders.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "archive/afile.h"
#include "archive/crc32.h"

constexpr int kArjMaxHeaderSize = 2600;

struct ArjReader {
  AFILE* input = nullptr;
  unsigned char header[kArjMaxHeaderSize] = {};
  char name[512] = {};
  char comment[2048] = {};

  // Fields of the current header.
  uint8_t first_header_size = 0;
  uint8_t archiver_version = 0;
  uint8_t min_version = 0;
  uint8_t host_os = 0;
  uint8_t flags = 0;
  uint8_t method = 0;
  uint8_t file_type = 0;
  uint32_t compressed_size = 0;
  uint32_t original_size = 0;
  uint32_t file_crc = 0;
  uint16_t name_position = 0;

  uint32_t crc = 0;
  Crc32Tables crc_tables = {};
  int32_t error_count = 0;
  int spinner = 0;

  std::unique_ptr<unsigned char[]> output;
  size_t length = 0;
  size_t capacity = 0;
  size_t output_limit = 0;

  // Entry bytes not yet taken by the bit reader.
  uint32_t compressed_left = 0;
};

// Prints a newline, the message (formatted with "" and the error count) and a
// newline, then throws it as an ArjError.
[[noreturn]] void ArjFatal(const ArjReader& reader, const char* message);

// Adds the bytes to the running CRC and appends them to the output.
void WriteOutput(ArjReader& reader, const unsigned char* bytes, size_t n);
void ShowSpinner(ArjReader& reader);

void DecodeMethod1to3(ArjReader& reader);
void DecodeMethod4(ArjReader& reader);
