// Dequantisation and inverse DCT of JPEG blocks into 8-bit samples, and the conversions of sample rows to pixels.
#pragma once

#include <cstdint>

#include "imageio/image.h"

namespace imageio {

// The dequantisation table with the scaled IDCT's factors and its 1/8 folded
// in, from a quantisation table in natural order.
void BuildJpegDequantTable(const int32_t quant[64], float dequant[64]);

// How a reconstructed value becomes a sample: rounded to nearest, or (for
// the components of YCbCr and YCCK) truncated toward zero before the level
// shift; either way clamped to 0..255, as the float IDCT overshoots near black
// and white.
enum class JpegSampleRounding { kNearest, kTruncate };

// Float AAN inverse DCT of a block of 64 coefficients in natural order,
// dequantised by `dequant`, written as 8 rows of 8 samples `stride` bytes apart.
// Uses AVX2 where the processor has it, else JpegInverseDctPortable.
void JpegInverseDct(const int16_t* block, const float* dequant, JpegSampleRounding rounding, uint8_t* out,
                    int stride);
// The same with four lanes (SSE2, or plain C++ without it), for every processor.
void JpegInverseDctPortable(const int16_t* block, const float* dequant, JpegSampleRounding rounding, uint8_t* out,
                            int stride);

// Each of the first (width + 1) / 2 samples twice, `width` samples in all.
void JpegDoubleRow(const uint8_t* row, int width, uint8_t* out);

// Rows of `width` pixels (alpha 255) from rows of samples.
// YCbCr in 16.16 fixed point, Cb and Cr centred on 128.
void JpegYCbCrRow(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, int width, RGBA8* out);
void JpegRgbRow(const uint8_t* r, const uint8_t* g, const uint8_t* b, int width, RGBA8* out);
// Inverted CMYK as Adobe writes it: each colour is the product of its ink's and black's samples over 255.
void JpegCmykRow(const uint8_t* c, const uint8_t* m, const uint8_t* y, const uint8_t* k, int width, RGBA8* out);
// YCCK: the YCbCr colour of the inverted C, M and Y, then as inverted CMYK.
void JpegYcckRow(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, const uint8_t* k, int width, RGBA8* out);

}  // namespace imageio
