#include "archive/disk_file.h"

#include <cstdio>

bool WriteDiskFile(const char* path, const void* bytes, size_t n) {
  FILE* out = std::fopen(path, "wb");
  if (!out) return false;
  const bool written = std::fwrite(bytes, 1, n, out) == n;
  return std::fclose(out) == 0 && written;
}
