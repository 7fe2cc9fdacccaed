// Feeds arbitrary bytes to the 3DS chunk reader and dumps the tree it
// builds, so every payload kind is read and printed.
#include <cstdint>
#include <cstdio>
#include <vector>

#include "scene/chunk3ds.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static FILE* silence = std::freopen("/dev/null", "w", stdout);
  (void)silence;
  std::vector<unsigned char> bytes(data, data + size);
  AFILE file{bytes.data(), bytes.data(), bytes.data() + bytes.size()};
  // Inputs of odd size probe the id of their last two bytes, so the raw
  // reader is fuzzed as well.
  const uint32_t probe_id = size % 2 && size >= 2 ? uint32_t(data[size - 2] | data[size - 1] << 8) : 0;
  if (auto root = Read3DS(&file, probe_id)) DumpChunkTree(*root, 0);
  return 0;
}
