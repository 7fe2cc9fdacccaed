#include "tests/parts/picture_files.h"

#include <png.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "archive/afile.h"
#include "archive/pack_image.h"

const Rgb kLoadingColour{240, 60, 0}, kInterludeColour{30, 200, 90}, kClosingColour{60, 90, 240};

std::string FlatJpeg(int width, int height, const Rgb& colour) {
  const auto dir = std::filesystem::temp_directory_path() / ("demo_parts_jpeg_" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  const auto ppm = dir / "flat.ppm", jpg = dir / "flat.jpg";
  {
    std::ofstream f(ppm, std::ios::binary);
    f << "P6\n" << width << " " << height << "\n255\n";
    for (int i = 0; i < width * height; ++i)
      for (int c : colour) f.put(static_cast<char>(c));
  }
  const std::string command = "cjpeg -quality 95 -outfile " + jpg.string() + " " + ppm.string();
  std::string bytes;
  if (std::system(command.c_str()) == 0) {
    std::ifstream f(jpg, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
  }
  std::filesystem::remove_all(dir);
  return bytes;
}

bool AddShowPictures() {
  const std::vector<PackEntry> entries = {{"loading.jpg", FlatJpeg(64, 48, kLoadingColour)},
                                          {"loading2.jpg", FlatJpeg(64, 48, kInterludeColour)},
                                          {"the_end.jpg", FlatJpeg(64, 48, kClosingColour)}};
  for (const auto& entry : entries)
    if (entry.bytes.empty()) return false;
  return AddPackImage(gArchives, entries);
}

Rgb PngPixel(const std::string& path, int x, int y) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return {-1, -1, -1};
  image.format = PNG_FORMAT_RGB;
  std::vector<unsigned char> rgb(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr) || x < 0 || y < 0 ||
      static_cast<unsigned>(x) >= image.width || static_cast<unsigned>(y) >= image.height)
    return {-1, -1, -1};
  const unsigned char* p = &rgb[(static_cast<size_t>(y) * image.width + x) * 3];
  return {p[0], p[1], p[2]};
}
