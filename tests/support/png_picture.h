// PNG pictures read back through libpng as 8-bit RGB, for tests that look
// at what a program wrote. Link libpng.
#pragma once

#include <png.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct PngPicture {
  uint32_t width = 0, height = 0;
  uint32_t format = 0;       // the file's own PNG_FORMAT_* before conversion
  std::vector<uint8_t> rgb;  // top row first

  // x from the left, y from the top.
  std::array<int, 3> At(int x, int y) const {
    const uint8_t* p = &rgb[(size_t(y) * width + size_t(x)) * 3];
    return {p[0], p[1], p[2]};
  }
};

// An empty picture when the file cannot be read as PNG.
inline PngPicture ReadPngPicture(const std::string& path) {
  PngPicture picture;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return picture;
  picture.format = image.format;
  image.format = PNG_FORMAT_RGB;
  picture.rgb.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, picture.rgb.data(), 0, nullptr)) return PngPicture{};
  picture.width = image.width;
  picture.height = image.height;
  return picture;
}
