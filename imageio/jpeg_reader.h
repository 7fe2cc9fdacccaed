// JPEG reader: Huffman-coded, 8-bit, sequential or progressive, of one (grey), three (YCbCr, or RGB as libjpeg
// tells them apart) or four (CMYK or YCCK, inverted as Adobe writes them) components with sampling factors 1 to 4.
#pragma once

#include "imageio/image.h"

namespace imageio {

// Returns ImageData<Grayscale8> for one component and ImageData<RGBA8>
// (alpha 255) for three or four.
class ReadJpeg : public ImageReader {
 public:
  Image* read(AFILE* file) override;
};

}  // namespace imageio
