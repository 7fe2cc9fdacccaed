// From inflated PNG scanlines to pixels: unfiltering, Adam7 passes and the
// conversion of every sample to 8 bits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "imageio/image.h"

namespace imageio {

struct PngFormat {
  uint32_t width = 0;
  uint32_t height = 0;
  int depth = 0;        // bits per sample: 1, 2, 4, 8 or 16
  int colour_type = 0;  // 0 grey, 2 RGB, 3 palette, 4 grey + alpha, 6 RGBA
  bool interlaced = false;
};

// Bytes of filtered scanlines (filter type byte included) of all passes.
size_t PngFilteredSize(const PngFormat& format);

// Unfilters the scanlines (in place) and builds the image: ImageData of
// Grayscale8, RGBA8 or GrayscaleAlpha8, or a PaletteImage with the palette
// (256 entries).
Image* BuildPngImage(const PngFormat& format, uint8_t* scanlines, std::unique_ptr<RGB8[]> palette);

}  // namespace imageio
