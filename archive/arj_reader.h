// Reads an ARJ archive from memory and unpacks every entry into one buffer.
#pragma once

#include <cstdint>

#include "archive/afile.h"

// Pack image offsets are signed 32-bit, so output stops below 2 GiB.
constexpr uint32_t kArjOutputLimit = 0x7FFFFFFF;

// Prints the banner, one listing line per entry and each CRC verdict, and
// returns a new owning handle over the entries' bytes, concatenated in
// archive order. Any error prints its message and ends through
// ExitWithStatus(-1); output that would pass output_limit bytes is the
// "Disk full" error.
AFILE* ExtractArj(AFILE* input, uint32_t output_limit = kArjOutputLimit);
