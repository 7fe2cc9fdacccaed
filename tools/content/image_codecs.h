// Image file encoders: colour JPEG through libjpeg, 8-bit grey PNG through
// libpng. Both are deterministic: no time stamps or other varying fields.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/content/raster.h"

// Baseline JPEG, 4:2:0, the given quality (1..100). Throws std::runtime_error
// when the encoder fails.
std::vector<uint8_t> EncodeJpeg(const RgbImage& image, int quality);

// Non-interlaced 8-bit greyscale PNG. Throws std::runtime_error on failure.
std::vector<uint8_t> EncodeGrayPng(const GrayImage& image);

// Channel value 0..1 to a byte, rounded and clamped.
uint8_t ToByte(float v);
