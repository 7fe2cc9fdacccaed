// The process-wide image table: images decoded by extension, masks applied, the default pattern.
#include <strings.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "archive/afile.h"
#include "imageio/jpeg_reader.h"
#include "imageio/png_reader.h"
#include "runtime/fatal.h"
#include "textures/texture_manager.h"

namespace {

using imageio::Image;
using imageio::ImageData;

constexpr int32_t kDefaultSize = 64;

struct FileCloser {
  void operator()(AFILE* f) const { afclose(f); }
};
using FileHandle = std::unique_ptr<AFILE, FileCloser>;

char* CopyName(const std::string& name) {
  char* copy = new char[name.size() + 1];
  std::memcpy(copy, name.c_str(), name.size() + 1);
  return copy;
}

// Pixel i holds (i / 2, i / 4, i / 8, i), each cut to 8 bits.
TextureImage* DefaultImage() {
  const int32_t count = kDefaultSize * kDefaultSize;
  uint8_t* pixels = new uint8_t[count * 4];
  for (int32_t i = 0; i < count; ++i) {
    pixels[4 * i + 0] = static_cast<uint8_t>(i / 2);
    pixels[4 * i + 1] = static_cast<uint8_t>(i / 4);
    pixels[4 * i + 2] = static_cast<uint8_t>(i / 8);
    pixels[4 * i + 3] = static_cast<uint8_t>(i);
  }
  return new TextureImage{kDefaultSize, kDefaultSize, pixels, CopyName("default")};
}

// Prints the two failure lines and ends the program with status 1.
[[noreturn]] void LoadFailed(const std::string& name, const char* what, const imageio::ImageIOException& e) {
  std::printf("'%s' %s !!\n", name.c_str(), what);
  std::printf("error: %s\n", e.message());
  ExitWithStatus(1);
}

std::unique_ptr<Image> Decode(imageio::ImageReader& reader, AFILE* f, const std::string& name, const char* what) {
  try {
    return std::unique_ptr<Image>(reader.read(f));
  } catch (const imageio::ImageIOException& e) {
    LoadFailed(name, what, e);
  }
}

// The RGBA8 pixel array of the image, taken over from it, as bytes in the
// order red, green, blue with every alpha at 127.
uint8_t* OpaqueBytesOf(std::unique_ptr<Image> image) {
  std::unique_ptr<Image> converted;
  Image* rgba = image->toRGBA();
  if (rgba != image.get()) converted.reset(rgba);
  auto* data = static_cast<ImageData<imageio::RGBA8>*>(rgba)->releaseData();
  uint8_t* bytes = reinterpret_cast<uint8_t*>(data);
  const size_t count = static_cast<size_t>(rgba->width()) * rgba->height();
  for (size_t i = 0; i < count; ++i) {
    std::swap(bytes[4 * i], bytes[4 * i + 2]);
    bytes[4 * i + 3] = 127;
  }
  return bytes;
}

// Takes the alpha of the image from "<stem>.mask" when that file exists. As
// many alpha bytes as both the mask and the image have pixels are set.
void ApplyMask(TextureImage* image, const std::string& name) {
  const std::string mask_name = name.substr(0, name.size() - 4) + ".mask";
  FileHandle f(afopen(mask_name.c_str(), "rb"));
  if (!f) return;
  imageio::ReadPng reader;
  std::unique_ptr<Image> mask = Decode(reader, f.get(), mask_name, "Alpha Load Unsuccesful");
  auto* gray = dynamic_cast<ImageData<imageio::Grayscale8>*>(mask.get());
  if (!gray) {
    std::printf("'%s' is not an 8-bit gray image, alpha left at 127\n", mask_name.c_str());
    return;
  }
  const size_t mask_count = static_cast<size_t>(gray->width()) * gray->height();
  const size_t image_count = static_cast<size_t>(image->width) * image->height;
  const size_t count = mask_count < image_count ? mask_count : image_count;
  for (size_t i = 0; i < count; ++i) image->pixels[4 * i + 3] = gray->data()[i].value;
}

}  // namespace

ImageTable& Images() {
  static ImageTable table;
  return table;
}

TextureImage* GetImage(const std::string& file_name) {
  auto found = Images().find(file_name);
  if (found != Images().end()) return found->second;
  return LoadImage(file_name);
}

TextureImage* LoadImage(const std::string& file_name) {
  if (strcasecmp(file_name.c_str(), "default") == 0) {
    TextureImage* image = DefaultImage();
    Images()[file_name] = image;
    return image;
  }
  FileHandle f(afopen(file_name.c_str(), "rb"));
  if (!f) {
    TextureImage* image = GetImage("default");
    Images()[file_name] = image;
    return image;
  }
  const std::string extension = file_name.size() < 4 ? file_name : file_name.substr(file_name.size() - 4);
  std::unique_ptr<imageio::ImageReader> reader;
  if (extension == ".jpg") {
    reader = std::make_unique<imageio::ReadJpeg>();
  } else if (extension == ".png") {
    reader = std::make_unique<imageio::ReadPng>();
  } else {
    std::printf("Unsupported image format '%s' !!\n", extension.c_str());
    ExitWithStatus(1);
  }
  std::unique_ptr<Image> decoded = Decode(*reader, f.get(), file_name, "Load Unsuccesful");
  f.reset();
  const int32_t width = decoded->width();
  const int32_t height = decoded->height();
  auto* image = new TextureImage{width, height, OpaqueBytesOf(std::move(decoded)), CopyName(file_name)};
  ApplyMask(image, file_name);
  Images()[file_name] = image;
  return image;
}
