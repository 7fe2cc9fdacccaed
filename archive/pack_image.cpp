// Writing pack images from named entries, for the pack tool and the tests.
#include "archive/pack_image.h"

#include <cstring>

namespace {

void AppendU32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>(v >> (8 * i)));
}

}  // namespace

std::string BuildPackImage(const std::vector<PackEntry>& entries) {
  std::string image;
  AppendU32(image, static_cast<uint32_t>(entries.size()));
  for (const PackEntry& entry : entries) {
    image.append(entry.name.c_str(), entry.name.size() + 1);
    AppendU32(image, static_cast<uint32_t>(entry.bytes.size()));
    image += entry.bytes;
  }
  return image;
}

bool AddPackImage(ArchiveList& list, const std::vector<PackEntry>& entries) {
  const std::string image = BuildPackImage(entries);
  unsigned char* bytes = new unsigned char[image.size()];
  std::memcpy(bytes, image.data(), image.size());
  AFILE handle{bytes, bytes, bytes + image.size()};
  return AddArchive(list, &handle);
}
