// Dequantisation tables, the float inverse DCT and the clamped YCbCr and RGB conversions of decoded samples.
#include "imageio/jpeg_transform.h"

#include <algorithm>
#include <cmath>

namespace imageio {

const uint8_t kJpegZigzag[64] = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

namespace {

// s[0] = 1, s[k] = sqrt(2) cos(k pi / 16).
const float kAanScale[8] = {1.0f, 1.3870399f, 1.3065630f, 1.1758755f, 1.0f, 0.78569496f, 0.54119611f, 0.27589938f};

// One 8-point AAN IDCT over values `step` floats apart.
void InverseDct8(float* v, int step) {
  float* p0 = v;
  float* p1 = v + step;
  float* p2 = v + 2 * step;
  float* p3 = v + 3 * step;
  float* p4 = v + 4 * step;
  float* p5 = v + 5 * step;
  float* p6 = v + 6 * step;
  float* p7 = v + 7 * step;

  float tmp10 = *p0 + *p4;
  float tmp11 = *p0 - *p4;
  float tmp13 = *p2 + *p6;
  float tmp12 = (*p2 - *p6) * 1.4142135f - tmp13;
  const float even0 = tmp10 + tmp13;
  const float even3 = tmp10 - tmp13;
  const float even1 = tmp11 + tmp12;
  const float even2 = tmp11 - tmp12;

  const float z13 = *p5 + *p3;
  const float z10 = *p5 - *p3;
  const float z11 = *p1 + *p7;
  const float z12 = *p1 - *p7;
  const float odd7 = z11 + z13;
  tmp11 = (z11 - z13) * 1.4142135f;
  const float z5 = (z10 + z12) * 1.847759f;
  tmp10 = 1.0823922f * z12 - z5;
  tmp12 = -2.613126f * z10 + z5;
  const float odd6 = tmp12 - odd7;
  const float odd5 = tmp11 - odd6;
  const float odd4 = tmp10 + odd5;

  *p0 = even0 + odd7;
  *p7 = even0 - odd7;
  *p1 = even1 + odd6;
  *p6 = even1 - odd6;
  *p2 = even2 + odd5;
  *p5 = even2 - odd5;
  *p4 = even3 + odd4;
  *p3 = even3 - odd4;
}

// A component's reconstructed sample, level-shifted, truncated and clamped
// to its 8-bit range as every JPEG decoder does before colour conversion:
// the inverse DCT overshoots near black and white.
int32_t ClampedSample(float value) { return static_cast<int32_t>(std::clamp(value, -128.0f, 127.0f)); }

uint8_t ClampByte(int64_t value) { return static_cast<uint8_t>(std::clamp<int64_t>(value, 0, 255)); }

}  // namespace

void BuildJpegDequantTable(const int32_t quant[64], float dequant[64]) {
  for (int row = 0; row < 8; ++row)
    for (int col = 0; col < 8; ++col)
      dequant[row * 8 + col] = static_cast<float>(quant[row * 8 + col]) * kAanScale[col] * kAanScale[row] * 0.125f;
}

void JpegInverseDct(float* window) {
  for (int col = 0; col < 8; ++col) InverseDct8(window + col, kJpegPlaneStride);
  for (int row = 0; row < 8; ++row) InverseDct8(window + row * kJpegPlaneStride, 1);
}

uint8_t JpegSample(float value) {
  const float sample = value + 128.0f;
  if (!(sample > 0.0f)) return 0;
  if (sample >= 255.0f) return 255;
  return static_cast<uint8_t>(std::nearbyint(sample));
}

RGBA8 JpegColourPixel(float y, float cb, float cr) {
  const int64_t luma = (int64_t{ClampedSample(y)} + 128) * 65536;
  const int64_t blue_diff = ClampedSample(cb);
  const int64_t red_diff = ClampedSample(cr);
  const uint8_t blue = ClampByte((luma + blue_diff * 116130) >> 16);
  const uint8_t green = ClampByte((luma - blue_diff * 22554 - red_diff * 46802) >> 16);
  const uint8_t red = ClampByte((luma + red_diff * 91881) >> 16);
  return RGBA8(red, green, blue, 255);
}

RGBA8 JpegRgbPixel(float r, float g, float b) { return RGBA8(JpegSample(r), JpegSample(g), JpegSample(b), 255); }

}  // namespace imageio
