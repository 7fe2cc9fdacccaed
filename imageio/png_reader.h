// PNG reader with its own inflate: every colour type, bit depth, filter and
// interlace method, samples reduced or expanded to 8 bits.
#pragma once

#include "imageio/image.h"

namespace imageio {

// Returns by colour type: 0 ImageData<Grayscale8>; 2 ImageData<RGBA8> with
// alpha 0; 3 PaletteImage (256 colours, black past the file's palette);
// 4 ImageData<GrayscaleAlpha8>; 6 ImageData<RGBA8>.
class ReadPng : public ImageReader {
 public:
  Image* read(AFILE* file) override;
  // The colour type of the image that read() returned, -1 before.
  int ColourType() const { return colour_type_; }

 private:
  int colour_type_ = -1;
};

}  // namespace imageio
