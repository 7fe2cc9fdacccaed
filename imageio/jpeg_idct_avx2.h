// The JPEG reader's inverse DCT with AVX2, for x86 processors that have it: a whole row of a block in one register.
#pragma once

#include <cstdint>

#include "imageio/jpeg_transform.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define IMAGEIO_JPEG_AVX2 1

namespace imageio {

// True when the processor running us has AVX2.
bool JpegHasAvx2();

// JpegInverseDct with the same arithmetic in the same order, so the same samples; only where JpegHasAvx2().
void JpegInverseDctAvx2(const int16_t* block, const float* dequant, JpegSampleRounding rounding, uint8_t* out,
                        int stride);

}  // namespace imageio
#endif
