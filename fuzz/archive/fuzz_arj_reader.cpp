// ExtractArj over any bytes: every error must end in ArjError, never
// outside a buffer.
#include <cstdint>
#include <cstdio>
#include <vector>

#include "archive/afile.h"
#include "archive/arj_reader.h"

namespace {

// Enough for any real data file; keeps hostile sizes from exhausting memory.
constexpr uint32_t kFuzzOutputLimit = 16 << 20;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (!std::freopen("/dev/null", "w", stdout)) return 1;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<unsigned char> bytes(data, data + size);
  AFILE input{bytes.data(), bytes.data(), bytes.data() + bytes.size()};
  try {
    AFILE* out = ExtractArj(&input, kFuzzOutputLimit);
    affree(out);
    delete out;
  } catch (const ArjError&) {
  }
  return 0;
}
