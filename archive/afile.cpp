// The memory-file calls (afopen, afread, afseek and the rest) over entries of the archive list.
#include "archive/afile.h"

#include <strings.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstring>

AFILE* afopen(const char* name, const char* mode) {
  if (strcasecmp(mode, "rb") != 0) {
    std::fprintf(stderr, "afopen(): only \"rb\" is supported!\n");
    return nullptr;
  }
  uint32_t size = 0;
  unsigned char* data = FindInArchives(gArchives, name, &size);
  if (!data) return nullptr;
  return new AFILE{data, data, data + size};
}

int afclose(AFILE* f) {
  delete f;
  return 0;
}

size_t afread(void* dest, size_t item_size, size_t item_count, AFILE* f) {
  if (item_size == 0 || f->pos >= f->end) return 0;
  const size_t left = static_cast<size_t>(f->end - f->pos);
  const size_t items = item_count < left / item_size ? item_count : left / item_size;
  const size_t bytes = items * item_size;
  if (bytes) std::memcpy(dest, f->pos, bytes);
  f->pos += bytes;
  return items;
}

int afseek(AFILE* f, int32_t offset, int whence) {
  ptrdiff_t base;
  switch (whence) {
    case 0: base = 0; break;
    case 1: base = f->pos - f->begin; break;
    case 2: base = f->end - f->begin; break;
    default:
      std::fprintf(stderr, "afseek(): invalid whence parameter!\n");
      return 0;
  }
  const ptrdiff_t target = base + offset;
  const bool inside = target >= 0 && target <= f->end - f->begin;
  f->pos = inside ? f->begin + target : f->end;
  return 0;
}

int32_t aftell(AFILE* f) { return static_cast<int32_t>(f->pos - f->begin); }

bool afeof(AFILE* f) { return f->pos >= f->end; }

int afgetc(AFILE* f) {
  if (afeof(f)) return -1;
  return *f->pos++;
}

AFILE* afload(const char* path) {
  struct stat st;
  if (stat(path, &st) != 0 || !S_ISREG(st.st_mode)) return nullptr;
  FILE* file = std::fopen(path, "rb");
  if (!file) return nullptr;
  const size_t size = static_cast<size_t>(st.st_size);
  unsigned char* bytes = new unsigned char[size ? size : 1];
  const size_t got = std::fread(bytes, 1, size, file);
  std::fclose(file);
  return new AFILE{bytes, bytes, bytes + got};
}

void afxor(AFILE* f, unsigned char key) {
  for (unsigned char* p = f->begin; p < f->end; ++p) *p ^= key;
}

void affree(AFILE* f) {
  delete[] f->begin;
}
