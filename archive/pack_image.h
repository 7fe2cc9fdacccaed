// Builds pack images: a 32-bit entry count, then per entry a zero-ended name,
// a 32-bit size and the bytes (little-endian). Used by the pack tool and by
// tests that need entries for afopen.
#pragma once

#include <string>
#include <vector>

#include "archive/afile.h"

struct PackEntry {
  std::string name;
  std::string bytes;
};

std::string BuildPackImage(const std::vector<PackEntry>& entries);

// Builds the image and adds it to the list as one more archive.
bool AddPackImage(ArchiveList& list, const std::vector<PackEntry>& entries);
