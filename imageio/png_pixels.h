// From inflated PNG scanlines to pixels: unfiltering, Adam7 passes and the
// conversion of every sample to 8 bits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
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

// Writes all PngFilteredSize bytes of filtered scanlines into the buffer it
// is given, or throws.
using FillScanlines = std::function<void(uint8_t* bytes, size_t size)>;

// Has fill write the scanlines, unfilters them (in place) and builds the
// image: ImageData of Grayscale8, RGBA8 or GrayscaleAlpha8, or a
// PaletteImage with the palette (256 entries). Exceptions from fill pass
// through, with nothing left allocated.
Image* BuildPngImage(const PngFormat& format, const FillScanlines& fill, std::unique_ptr<RGB8[]> palette);

}  // namespace imageio
