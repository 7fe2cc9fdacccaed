// demotool decode IMAGE OUT.pam: decodes a .jpg or .png file with the show's
// own readers and writes it as an RGBA PAM file.
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "archive/afile.h"
#include "command.h"
#include "imageio/jpeg_reader.h"
#include "imageio/png_reader.h"

namespace {

using imageio::Image;
using imageio::ImageData;
using imageio::RGBA8;

bool EndsWith(const std::string& s, const char* suffix) {
  const size_t n = std::strlen(suffix);
  return s.size() >= n && s.compare(s.size() - n, n, suffix) == 0;
}

// Red, green, blue, alpha bytes per pixel. Alpha comes from the file where
// it has one, else 255.
std::vector<uint8_t> TrueColour(Image* image, bool has_alpha) {
  std::vector<uint8_t> out;
  const size_t count = static_cast<size_t>(image->width()) * image->height();
  out.reserve(count * 4);
  if (auto* grey_alpha = dynamic_cast<ImageData<imageio::GrayscaleAlpha8>*>(image)) {
    for (size_t i = 0; i < count; ++i) {
      const auto& p = grey_alpha->data()[i];
      out.insert(out.end(), {p.value, p.value, p.value, p.alpha});
    }
    return out;
  }
  Image* rgba = image->toRGBA();
  const RGBA8* pixels = static_cast<ImageData<RGBA8>*>(rgba)->data();
  for (size_t i = 0; i < count; ++i) {
    const RGBA8& p = pixels[i];
    out.insert(out.end(), {p.red, p.green, p.blue, has_alpha ? p.alpha : uint8_t(255)});
  }
  if (rgba != image) delete rgba;
  return out;
}

bool WritePam(const char* path, int width, int height, const std::vector<uint8_t>& rgba) {
  FILE* f = std::fopen(path, "wb");
  if (!f) return false;
  std::fprintf(f, "P7\nWIDTH %d\nHEIGHT %d\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n", width, height);
  const bool written = std::fwrite(rgba.data(), 1, rgba.size(), f) == rgba.size();
  return std::fclose(f) == 0 && written;
}

int Run(int argc, char** argv) {
  if (argc != 3) return DemotoolUsage(argv[0]);
  const std::string path = argv[1];
  std::unique_ptr<imageio::ImageReader> reader;
  imageio::ReadPng* png = nullptr;
  if (EndsWith(path, ".jpg")) {
    reader.reset(new imageio::ReadJpeg);
  } else if (EndsWith(path, ".png")) {
    reader.reset(png = new imageio::ReadPng);
  } else {
    std::fprintf(stderr, "decode: '%s' is neither .jpg nor .png\n", path.c_str());
    return 1;
  }
  AFILE* file = afload(path.c_str());
  if (!file) {
    std::fprintf(stderr, "decode: cannot read '%s'\n", path.c_str());
    return 1;
  }
  std::unique_ptr<Image> image;
  try {
    image.reset(reader->read(file));
  } catch (const imageio::ImageIOException& e) {
    const size_t length = std::strlen(e.message());
    std::printf("%s%s", e.message(), length && e.message()[length - 1] == '\n' ? "" : "\n");
    affree(file);
    delete file;
    return 1;
  }
  affree(file);
  delete file;
  const bool has_alpha = png && (png->ColourType() == 4 || png->ColourType() == 6);
  if (!WritePam(argv[2], image->width(), image->height(), TrueColour(image.get(), has_alpha))) {
    std::fprintf(stderr, "decode: cannot write '%s'\n", argv[2]);
    return 1;
  }
  return 0;
}

const DemotoolCommand kCmd({"decode", "IMAGE OUT.pam", "decode a .jpg or .png file with the show's readers into an RGBA PAM file", &Run});

}  // namespace
