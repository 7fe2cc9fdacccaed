#include "tests/parts/picture_files.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "archive/afile.h"
#include "archive/pack_image.h"

const Rgb kLoadingColour{240, 60, 0}, kInterludeColour{30, 200, 90}, kClosingColour{60, 90, 240};

namespace {

// The bytes of a 64 x 48 JPEG of one colour, encoded by cjpeg; empty on failure.
std::string FlatJpeg(const Rgb& colour) {
  const auto dir = std::filesystem::temp_directory_path() / ("demo_parts_jpeg_" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  const auto ppm = dir / "flat.ppm", jpg = dir / "flat.jpg";
  {
    std::ofstream f(ppm, std::ios::binary);
    f << "P6\n64 48\n255\n";
    for (int i = 0; i < 64 * 48; ++i)
      for (int c : colour) f.put(static_cast<char>(c));
  }
  std::string bytes;
  if (std::system(("cjpeg -quality 95 -outfile " + jpg.string() + " " + ppm.string()).c_str()) == 0) {
    std::ifstream f(jpg, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
  }
  std::filesystem::remove_all(dir);
  return bytes;
}

}  // namespace

bool AddShowPictures() {
  const std::vector<PackEntry> entries = {{"loading.jpg", FlatJpeg(kLoadingColour)},
                                          {"loading2.jpg", FlatJpeg(kInterludeColour)},
                                          {"the_end.jpg", FlatJpeg(kClosingColour)}};
  for (const auto& entry : entries)
    if (entry.bytes.empty()) return false;
  return AddPackImage(gArchives, entries);
}
