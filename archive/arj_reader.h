// Reads an ARJ archive from memory and unpacks every entry into one buffer.
#pragma once

#include <cstdint>
#include <stdexcept>

#include "archive/afile.h"

// The largest pack image this program unpacks: its data is a few MiB, and a
// small hostile archive could otherwise declare gigabytes.
constexpr uint32_t kArjOutputLimit = 256u << 20;

// What the reader throws after it has printed its message; what() is the
// message. A program that stops for it ends with kArjErrorStatus, as arj does.
class ArjError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
constexpr int kArjErrorStatus = -1;

// Prints the banner, one listing line per entry and each CRC verdict, and
// returns a new owning handle over the entries' bytes, concatenated in
// archive order. Any error prints a newline, its message and a newline and
// throws ArjError; an entry whose declared original size passes the room
// left below output_limit is the "Disk full" error before it is decoded.
AFILE* ExtractArj(AFILE* input, uint32_t output_limit = kArjOutputLimit);
