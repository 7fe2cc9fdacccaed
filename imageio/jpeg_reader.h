// Baseline JPEG reader: Huffman-coded, 8-bit, one interleaved scan of one
// (grey) or three (YCbCr, or RGB as libjpeg tells them apart) components
// with sampling factors 1 or 2.
#pragma once

#include "imageio/image.h"

namespace imageio {

// Returns ImageData<Grayscale8> for one component and ImageData<RGBA8>
// (alpha 255) for three.
class ReadJpeg : public ImageReader {
 public:
  Image* read(AFILE* file) override;
};

}  // namespace imageio
