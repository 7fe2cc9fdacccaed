// The archive list: parsing pack images into name-to-entry directories, lookups, listings and freeing.
#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "archive/afile.h"
#include "archive/printable_name.h"

ArchiveList gArchives;

namespace {

uint32_t ReadU32(const unsigned char* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

}  // namespace

Archive::~Archive() {
  for (auto& named : entries) delete named.second;
  delete[] data;
}

bool Archive::Load(unsigned char* image, uint32_t image_size) {
  if (!image) return false;
  data = image;
  size = image_size;
  if (size < 4 || size > INT32_MAX) {
    std::fprintf(stderr, "archive: a pack image of %" PRIu32 " bytes is not valid\n", size);
    return false;
  }
  count = ReadU32(data);
  std::printf("files in archive: %" PRIu32 "\n", count);
  uint32_t offset = 4;
  for (uint32_t i = 0; i < count; ++i) {
    offset = ReadEntry(offset);
    if (offset == 0) {
      std::fprintf(stderr, "archive: entry %" PRIu32 " of %" PRIu32 " reaches past the end of the pack image\n",
                   i + 1, count);
      return false;
    }
  }
  return true;
}

uint32_t Archive::ReadEntry(uint32_t offset) {
  if (offset >= size) return 0;
  const void* zero = std::memchr(data + offset, 0, size - offset);
  if (!zero) return 0;
  const uint32_t name_length = static_cast<uint32_t>(static_cast<const unsigned char*>(zero) - (data + offset));
  const uint64_t data_offset = uint64_t{offset} + name_length + 5;
  if (data_offset > size) return 0;
  const uint32_t entry_size = ReadU32(data + data_offset - 4);
  if (entry_size > size - data_offset) return 0;
  const std::string name(reinterpret_cast<const char*>(data + offset), name_length);
  if (entries.find(name) == entries.end())
    entries.emplace(name, new ArchiveEntry{static_cast<int32_t>(data_offset), entry_size});
  return static_cast<uint32_t>(data_offset + entry_size);
}

unsigned char* Archive::Find(const char* name, uint32_t* out_size) const {
  const auto it = entries.find(name);
  if (it == entries.end()) return nullptr;
  *out_size = it->second->size;
  return data + it->second->offset;
}

void Archive::List(const std::string& prefix) const {
  int j = 1;
  for (const auto& named : entries)
    std::printf("%sEntry #%d: %s, %" PRId32 ", %" PRIu32 "\n", prefix.c_str(), j++, PrintableName(named.first).c_str(),
                named.second->offset, named.second->size);
}

bool AddArchive(ArchiveList& list, AFILE* f) {
  Archive* archive = new Archive;
  if (!archive->Load(f->begin, static_cast<uint32_t>(f->end - f->begin))) {
    delete archive;
    f->begin = f->pos = f->end = nullptr;
    return false;
  }
  list.push_back(archive);
  return true;
}

unsigned char* FindInArchives(const ArchiveList& list, const char* name, uint32_t* size) {
  for (const Archive* archive : list) {
    if (unsigned char* found = archive->Find(name, size)) return found;
  }
  return nullptr;
}

void ListArchives(const ArchiveList& list, const std::string& prefix) {
  int i = 1;
  for (const Archive* archive : list) {
    std::printf("%sArchive #%d, %" PRId32 ", %" PRIu32 ", %" PRIu32 ":\n", prefix.c_str(), i++,
                static_cast<int32_t>(reinterpret_cast<intptr_t>(archive->data)), archive->size, archive->count);
    archive->List(prefix + "  ");
  }
}

void FreeArchives(ArchiveList& list) {
  for (Archive* archive : list) delete archive;
  list.clear();
}
