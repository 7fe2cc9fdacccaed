// The pack image parser and the memory files over any bytes. Run with
// -close_fd_mask=3: every rejected image and listing writes a line.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "archive/afile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  unsigned char* image = new unsigned char[size + 1];
  std::memcpy(image, data, size);
  AFILE handle{image, image, image + size};
  if (!AddArchive(gArchives, &handle)) return 0;

  std::vector<std::string> names;
  for (const auto& named : gArchives.front()->entries) names.push_back(named.first);
  ListArchives(gArchives, "");
  for (const std::string& name : names) {
    AFILE* f = afopen(name.c_str(), "rb");
    unsigned char buffer[7];
    int32_t step = 1;
    while (!afeof(f)) {
      afread(buffer, 3, 2, f);
      afgetc(f);
      afseek(f, step, 1);
      afseek(f, -step / 2, 1);
      step = step * 3 + static_cast<int32_t>(aftell(f) & 1);
    }
    afseek(f, -aftell(f) - 1, 1);
    afseek(f, 1 << 30, 2);
    afgetc(f);
    afclose(f);
  }
  FreeArchives(gArchives);
  return 0;
}
