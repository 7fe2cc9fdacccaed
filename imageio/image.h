// Decoded images: pixel types, images of one pixel type, palette images, and
// the interface of the file readers.
#pragma once

#include <algorithm>
#include <cstdint>

#include "archive/afile.h"

namespace imageio {

// Stored blue, green, red, alpha: an array of them is a 32-bit BGRA image.
struct RGBA8 {
  RGBA8() = default;
  RGBA8(uint8_t r, uint8_t g, uint8_t b, uint8_t a) : blue(b), green(g), red(r), alpha(a) {}
  uint8_t blue, green, red, alpha;
};

struct RGB8 {
  uint8_t red, green, blue;
};

struct Grayscale8 {
  uint8_t value;
};

struct GrayscaleAlpha8 {
  uint8_t value, alpha;
};

// Conversions to RGBA8; every one sets alpha to 0.
inline RGBA8 ToRGBA8(const RGBA8& p) { return p; }
inline RGBA8 ToRGBA8(const RGB8& p) { return RGBA8(p.red, p.green, p.blue, 0); }
inline RGBA8 ToRGBA8(const Grayscale8& p) { return RGBA8(p.value, p.value, p.value, 0); }
inline RGBA8 ToRGBA8(const GrayscaleAlpha8& p) { return RGBA8(p.value, p.value, p.value, 0); }

class Image {
 public:
  virtual ~Image() = default;
  virtual int32_t width() const = 0;
  virtual int32_t height() const = 0;
  // Keep the pixels that still fit; new pixels are zero.
  virtual void setWidth(int32_t width) = 0;
  virtual void setHeight(int32_t height) = 0;
  // An RGBA8 image of the same size: this image itself when it already is
  // one, otherwise a new image that the caller owns.
  virtual Image* toRGBA() = 0;
};

namespace detail {

// Resizes a row-major array of width x height elements.
template <typename T>
T* ResizeRows(T* old, int32_t old_width, int32_t old_height, int32_t width, int32_t height) {
  T* fresh = new T[static_cast<size_t>(width) * height]();
  const int32_t keep_width = std::min(old_width, width);
  const int32_t keep_height = std::min(old_height, height);
  for (int32_t y = 0; y < keep_height; ++y)
    std::copy(old + static_cast<size_t>(y) * old_width, old + static_cast<size_t>(y) * old_width + keep_width,
              fresh + static_cast<size_t>(y) * width);
  delete[] old;
  return fresh;
}

}  // namespace detail

// Width x height pixels of type T, rows top first. Owns its array.
template <typename T>
class ImageData : public Image {
 public:
  // Takes over data, an array of width x height pixels made with new[].
  ImageData(int32_t width, int32_t height, T* data) : width_(width), height_(height), data_(data) {}
  ImageData(const ImageData&) = delete;
  ImageData& operator=(const ImageData&) = delete;
  ~ImageData() override { delete[] data_; }

  int32_t width() const override { return width_; }
  int32_t height() const override { return height_; }
  void setWidth(int32_t width) override {
    data_ = detail::ResizeRows(data_, width_, height_, width, height_);
    width_ = width;
  }
  void setHeight(int32_t height) override {
    data_ = detail::ResizeRows(data_, width_, height_, width_, height);
    height_ = height;
  }
  Image* toRGBA() override;

  T* data() const { return data_; }
  // Hands the pixel array to the caller, who frees it with delete[].
  T* releaseData() {
    T* data = data_;
    data_ = nullptr;
    return data;
  }

 private:
  int32_t width_;
  int32_t height_;
  T* data_;
};

template <typename T>
Image* ImageData<T>::toRGBA() {
  const size_t count = static_cast<size_t>(width_) * height_;
  RGBA8* pixels = new RGBA8[count];
  for (size_t i = 0; i < count; ++i) pixels[i] = ToRGBA8(data_[i]);
  return new ImageData<RGBA8>(width_, height_, pixels);
}

template <>
inline Image* ImageData<RGBA8>::toRGBA() {
  return this;
}

// Width x height 8-bit indices into a table of RGB8 colours. Owns both
// arrays; the table must hold every index that occurs (256 entries is safe).
class PaletteImage : public Image {
 public:
  PaletteImage(int32_t width, int32_t height, uint8_t* indices, RGB8* palette)
      : width_(width), height_(height), indices_(indices), palette_(palette) {}
  PaletteImage(const PaletteImage&) = delete;
  PaletteImage& operator=(const PaletteImage&) = delete;
  ~PaletteImage() override;

  int32_t width() const override { return width_; }
  int32_t height() const override { return height_; }
  void setWidth(int32_t width) override;
  void setHeight(int32_t height) override;
  Image* toRGBA() override;

  uint8_t* indices() const { return indices_; }
  RGB8* palette() const { return palette_; }
  // Takes over palette and frees the previous one.
  void setPalette(RGB8* palette);

 private:
  int32_t width_;
  int32_t height_;
  uint8_t* indices_;
  RGB8* palette_;
};

class ImageIOException {
 public:
  explicit ImageIOException(const char* message) : message_(message) {}
  const char* message() const { return message_; }

 private:
  const char* message_;
};

class ImageReader {
 public:
  virtual ~ImageReader() = default;
  // Decodes one image from the file's position on; the caller owns it.
  // Throws ImageIOException.
  virtual Image* read(AFILE* file) = 0;
};

}  // namespace imageio
