// Dequantisation, inverse DCT and colour conversion of the JPEG decoder.
#pragma once

#include <cstdint>

#include "imageio/image.h"

namespace imageio {

// Natural (row-major) index of each zigzag position.
extern const uint8_t kJpegZigzag[64];

// Sample planes are 16 floats wide: one MCU of at most 16 x 16 pixels.
constexpr int kJpegPlaneStride = 16;

// The dequantisation table with the scaled IDCT's factors and its 1/8 folded
// in, from a quantisation table in natural order.
void BuildJpegDequantTable(const int32_t quant[64], float dequant[64]);

// Float AAN inverse DCT of an 8 x 8 window of a plane, in place: columns,
// then rows. The result is the sample minus 128.
void JpegInverseDct(float* window);

// A grey or RGB sample from a level-shifted value, rounded to nearest and
// clamped.
uint8_t JpegSample(float value);

// A pixel from level-shifted Y and from Cb and Cr, each truncated and clamped
// to its sample range, in 16.16 fixed point.
RGBA8 JpegColourPixel(float y, float cb, float cr);

// A pixel of a file coded in RGB, from its three level-shifted samples.
RGBA8 JpegRgbPixel(float r, float g, float b);

}  // namespace imageio
