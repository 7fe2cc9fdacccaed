// Resizing and RGBA conversion of the image types.
#include "imageio/image.h"

namespace imageio {

PaletteImage::~PaletteImage() {
  delete[] indices_;
  delete[] palette_;
}

void PaletteImage::setWidth(int32_t width) {
  indices_ = detail::ResizeRows(indices_, width_, height_, width, height_);
  width_ = width;
}

void PaletteImage::setHeight(int32_t height) {
  indices_ = detail::ResizeRows(indices_, width_, height_, width_, height);
  height_ = height;
}

Image* PaletteImage::toRGBA() {
  const size_t count = static_cast<size_t>(width_) * height_;
  RGBA8* pixels = new RGBA8[count];
  for (size_t i = 0; i < count; ++i) pixels[i] = ToRGBA8(palette_[indices_[i]]);
  return new ImageData<RGBA8>(width_, height_, pixels);
}

void PaletteImage::setPalette(RGB8* palette) {
  if (palette != palette_) delete[] palette_;
  palette_ = palette;
}

}  // namespace imageio
