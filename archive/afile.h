// Memory files over the pack image, and the archives that hold them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <map>
#include <string>

// A read cursor over a byte range. Handles from afopen borrow their bytes from
// an Archive; handles from afload or ExtractArj own them (free with affree).
struct AFILE {
  unsigned char* begin;
  unsigned char* pos;
  unsigned char* end;
};

// Opens the named entry of the archive list; mode must be "rb" (any case).
AFILE* afopen(const char* name, const char* mode);
// Deletes the handle, never its bytes. Accepts null.
int afclose(AFILE* f);
// Copies whole items from the position on; returns how many were copied.
size_t afread(void* dest, size_t item_size, size_t item_count, AFILE* f);
// whence 0: from begin, 1: from pos, 2: from end. A target outside the range
// leaves the position at end.
int afseek(AFILE* f, int32_t offset, int whence);
int32_t aftell(AFILE* f);
bool afeof(AFILE* f);
// The next byte (0 to 255), or -1 at the end.
int afgetc(AFILE* f);

// Reads a whole disk file into a new owning handle; null when it can't.
AFILE* afload(const char* path);
void afxor(AFILE* f, unsigned char key);
// Frees an owning handle's bytes (not the handle).
void affree(AFILE* f);

struct ArchiveEntry {
  int32_t offset;  // of the entry's data, from the start of the image
  uint32_t size;
};

// The directory over one pack image: a count, then per entry a zero-ended
// name, a 32-bit little-endian size and the data.
class Archive {
 public:
  Archive() = default;
  Archive(const Archive&) = delete;
  Archive& operator=(const Archive&) = delete;
  ~Archive();

  // Takes over image (array-new'd) unless it is null. False for a null image
  // or one whose entries do not fit inside it.
  bool Load(unsigned char* image, uint32_t size);
  // The entry's first byte and its size, or null.
  unsigned char* Find(const char* name, uint32_t* size) const;
  void List(const std::string& prefix) const;

  unsigned char* data = nullptr;
  uint32_t size = 0;
  uint32_t count = 0;
  std::map<std::string, ArchiveEntry*> entries;

 private:
  // Returns the offset of the next entry, or 0 when this one leaves the image
  // (a real next offset is never below 5).
  uint32_t ReadEntry(uint32_t offset);
};

using ArchiveList = std::list<Archive*>;

// The process-wide list that afopen searches. At start-up main (or a tool
// command) adds the pack image; it frees the list as it ends.
extern ArchiveList gArchives;

// Registers the handle's bytes as an archive, which owns them from then on
// (also when the load fails: they are freed and the handle is emptied). The
// caller deletes only the handle.
bool AddArchive(ArchiveList& list, AFILE* f);
unsigned char* FindInArchives(const ArchiveList& list, const char* name, uint32_t* size);
void ListArchives(const ArchiveList& list, const std::string& prefix);
void FreeArchives(ArchiveList& list);
