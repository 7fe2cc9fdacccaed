// Writing a whole buffer to a disk file, or to a file already opened, and closing it.
#include "archive/disk_file.h"

#include <cstdio>

bool WriteDiskFile(const char* path, const void* bytes, size_t n) {
  FILE* out = std::fopen(path, "wb");
  return out && WriteOpenFile(out, bytes, n);
}

bool WriteOpenFile(FILE* out, const void* bytes, size_t n) {
  const bool written = std::fwrite(bytes, 1, n, out) == n;
  return std::fclose(out) == 0 && written;
}
