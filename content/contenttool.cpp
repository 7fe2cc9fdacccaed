// contenttool: builds the show's assets from their recipes, and makes the
// packed data file reproducible.
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "archive/demo_data.h"
#include "content/images/images.h"
#include "content/scenes/scenes.h"
#include "tools/content/arj_stamp.h"

namespace {

int Usage(FILE* out = stderr) {
  std::fprintf(out,
               "usage: contenttool build DIR    writes every asset of the show into DIR\n"
               "       contenttool stamp FILE   fixes the archive times in a scrambled data file\n");
  return out == stdout ? 0 : 2;
}

int Build(const std::string& folder) {
  mkdir(folder.c_str(), 0755);
  AssetSet assets;
  AddTextures(assets);
  AddPictures(assets);
  AddScenes(assets);
  assets.WriteTo(folder);
  size_t total = 0;
  for (const auto& [name, bytes] : assets.Files()) total += bytes.size();
  std::printf("contenttool: %zu files, %zu bytes in %s\n", assets.Files().size(), total, folder.c_str());
  return 0;
}

int Stamp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "contenttool: cannot read %s\n", path.c_str());
    return 1;
  }
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  in.close();
  for (auto& b : bytes) b ^= kDemoDataKey;
  if (!StampArjTimes(bytes, DosTime(2024, 6, 21, 20, 0, 0))) {
    std::fprintf(stderr, "contenttool: %s is not a scrambled ARJ archive\n", path.c_str());
    return 1;
  }
  for (auto& b : bytes) b ^= kDemoDataKey;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  out.close();
  if (!out) {
    std::fprintf(stderr, "contenttool: cannot write %s\n", path.c_str());
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) return Usage(stdout);
  if (argc != 3) return Usage();
  try {
    if (std::strcmp(argv[1], "build") == 0) return Build(argv[2]);
    if (std::strcmp(argv[1], "stamp") == 0) return Stamp(argv[2]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "contenttool: %s\n", e.what());
    return 1;
  }
  return Usage();
}
