// Dequantisation tables, the float inverse DCT on eight columns at once, and the colour conversions of sample rows.
#include "imageio/jpeg_transform.h"

#include "imageio/jpeg_aan.h"
#include "imageio/jpeg_idct_avx2.h"

#include <algorithm>
#include <cstring>
#include <utility>

#ifdef __SSE2__
#include <emmintrin.h>
#include <xmmintrin.h>
#endif

namespace imageio {
namespace {

// Four floats or ints, one per column (or row) of half a block: the
// compiler's vector types, which map to SIMD registers where there are some.
typedef float Floats4 __attribute__((vector_size(16)));
typedef int32_t Ints4 __attribute__((vector_size(16)));

// s[0] = 1, s[k] = sqrt(2) cos(k pi / 16).
const float kAanScale[8] = {1.0f, 1.3870399f, 1.3065630f, 1.1758755f, 1.0f, 0.78569496f, 0.54119611f, 0.27589938f};

// Fixed-point YCbCr factors, times 65536.
constexpr int32_t kCbToBlue = 116130;
constexpr int32_t kCbToGreen = 22554;
constexpr int32_t kCrToGreen = 46802;
constexpr int32_t kCrToRed = 91881;
constexpr uint8_t kOpaque = 255;

// Transposes the 4 x 4 block of rows a, b, c, d.
[[gnu::always_inline]] inline void Transpose4(Floats4& a, Floats4& b, Floats4& c, Floats4& d) {
#ifdef __SSE2__
  _MM_TRANSPOSE4_PS(a, b, c, d);
#else
  Floats4 rows[4] = {a, b, c, d};
  Floats4* out[4] = {&a, &b, &c, &d};
  for (int i = 0; i < 4; ++i) *out[i] = Floats4{rows[0][i], rows[1][i], rows[2][i], rows[3][i]};
#endif
}

// Transposes the block held as its left and right halves, row by row.
[[gnu::always_inline]] inline void Transpose(Floats4* left, Floats4* right) {
  Transpose4(left[0], left[1], left[2], left[3]);
  Transpose4(right[0], right[1], right[2], right[3]);
  Transpose4(left[4], left[5], left[6], left[7]);
  Transpose4(right[4], right[5], right[6], right[7]);
#pragma GCC unroll 4
  for (int i = 0; i < 4; ++i) std::swap(right[i], left[4 + i]);
}

// A row of coefficients times their dequantisation factors, as its left and right halves.
[[gnu::always_inline]] inline void DequantiseRow(const int16_t* block, const float* dequant, Floats4& left,
                                                 Floats4& right) {
#ifdef __SSE2__
  const __m128i row = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block));
  // Each 16-bit value into the top of a 32-bit lane, then shifted down with its sign.
  left = _mm_mul_ps(_mm_cvtepi32_ps(_mm_srai_epi32(_mm_unpacklo_epi16(row, row), 16)), _mm_loadu_ps(dequant));
  right = _mm_mul_ps(_mm_cvtepi32_ps(_mm_srai_epi32(_mm_unpackhi_epi16(row, row), 16)), _mm_loadu_ps(dequant + 4));
#else
  for (int c = 0; c < 4; ++c) {
    left[c] = static_cast<float>(block[c]) * dequant[c];
    right[c] = static_cast<float>(block[4 + c]) * dequant[4 + c];
  }
#endif
}

// Stores a row of eight samples, each already in 0..255, from its halves.
[[gnu::always_inline]] inline void StoreSamples(Ints4 left, Ints4 right, uint8_t* out) {
#ifdef __SSE2__
  // The same bits, as SSE2 sees integers.
  const __m128i words = _mm_packs_epi32((__m128i)left, (__m128i)right);
  _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(words, words));
#else
  for (int c = 0; c < 4; ++c) {
    out[c] = static_cast<uint8_t>(left[c]);
    out[4 + c] = static_cast<uint8_t>(right[c]);
  }
#endif
}

[[gnu::always_inline]] inline void Clamp(Floats4& v, float low, float high) {
#ifdef __SSE2__
  v = _mm_min_ps(_mm_max_ps(v, _mm_set1_ps(low)), _mm_set1_ps(high));
#else
  v = v < low ? low : v;
  v = v > high ? high : v;
#endif
}

// Four samples of reconstructed values, as the rounding asks.
[[gnu::always_inline]] inline Ints4 SamplesOf(Floats4 values, JpegSampleRounding rounding) {
  if (rounding == JpegSampleRounding::kTruncate) {
    Clamp(values, -128.0f, 127.0f);
    return __builtin_convertvector(values, Ints4) + 128;
  }
  values += 128.5f;
  Clamp(values, 0.0f, 255.0f);
  return __builtin_convertvector(values, Ints4);
}

uint8_t ClampByte(int32_t value) { return static_cast<uint8_t>(std::clamp<int32_t>(value, 0, 255)); }

RGBA8 Pixel(int32_t red, int32_t green, int32_t blue) {
  return RGBA8(ClampByte(red), ClampByte(green), ClampByte(blue), kOpaque);
}

// Inverted CMYK's colour: ink times black over 255, rounded.
uint8_t InkTimesBlack(int32_t ink, int32_t black) { return static_cast<uint8_t>((2 * ink * black + 255) / 510); }

#ifdef __SSE2__
// The fixed-point products in 16-bit lanes, exactly as the 32-bit formulas
// floor them: each factor of 65536 or more is split into whole 65536s, which
// add the sample itself, and a rest whose product's high half _mm_mulhi_epi16
// gives; green's two products are summed before the shift, with _mm_madd_epi16.
// Converts 16 pixels at a time; returns how many pixels it converted.
int YCbCrPixels16(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, int width, RGBA8* out) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i centre = _mm_set1_epi16(128);
  const __m128i cr_to_red_rest = _mm_set1_epi16(kCrToRed - 65536);
  const __m128i cb_to_blue_rest = _mm_set1_epi16(kCbToBlue - 2 * 65536);
  const __m128i green_factors = _mm_set_epi16(65536 - kCrToGreen, -kCbToGreen, 65536 - kCrToGreen, -kCbToGreen,
                                              65536 - kCrToGreen, -kCbToGreen, 65536 - kCrToGreen, -kCbToGreen);
  const __m128i opaque = _mm_set1_epi8(static_cast<char>(kOpaque));
  int x = 0;
  for (; x + 16 <= width; x += 16) {
    const __m128i y16 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(y + x));
    const __m128i cb16 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(cb + x));
    const __m128i cr16 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(cr + x));
    __m128i channel[2][3];  // per half: blue, green, red as 16-bit lanes
    for (int half = 0; half < 2; ++half) {
      const auto widen = [&](__m128i v) { return half ? _mm_unpackhi_epi8(v, zero) : _mm_unpacklo_epi8(v, zero); };
      const __m128i luma = widen(y16);
      const __m128i blue_diff = _mm_sub_epi16(widen(cb16), centre);
      const __m128i red_diff = _mm_sub_epi16(widen(cr16), centre);
      const __m128i red = _mm_add_epi16(_mm_add_epi16(luma, red_diff), _mm_mulhi_epi16(red_diff, cr_to_red_rest));
      const __m128i blue = _mm_add_epi16(_mm_add_epi16(luma, _mm_add_epi16(blue_diff, blue_diff)),
                                         _mm_mulhi_epi16(blue_diff, cb_to_blue_rest));
      const __m128i green_low =
          _mm_srai_epi32(_mm_madd_epi16(_mm_unpacklo_epi16(blue_diff, red_diff), green_factors), 16);
      const __m128i green_high =
          _mm_srai_epi32(_mm_madd_epi16(_mm_unpackhi_epi16(blue_diff, red_diff), green_factors), 16);
      const __m128i green = _mm_sub_epi16(_mm_add_epi16(luma, _mm_packs_epi32(green_low, green_high)), red_diff);
      channel[half][0] = blue;
      channel[half][1] = green;
      channel[half][2] = red;
    }
    const __m128i blue = _mm_packus_epi16(channel[0][0], channel[1][0]);
    const __m128i green = _mm_packus_epi16(channel[0][1], channel[1][1]);
    const __m128i red = _mm_packus_epi16(channel[0][2], channel[1][2]);
    const __m128i blue_green_low = _mm_unpacklo_epi8(blue, green);
    const __m128i blue_green_high = _mm_unpackhi_epi8(blue, green);
    const __m128i red_alpha_low = _mm_unpacklo_epi8(red, opaque);
    const __m128i red_alpha_high = _mm_unpackhi_epi8(red, opaque);
    __m128i* pixels = reinterpret_cast<__m128i*>(out + x);
    _mm_storeu_si128(pixels, _mm_unpacklo_epi16(blue_green_low, red_alpha_low));
    _mm_storeu_si128(pixels + 1, _mm_unpackhi_epi16(blue_green_low, red_alpha_low));
    _mm_storeu_si128(pixels + 2, _mm_unpacklo_epi16(blue_green_high, red_alpha_high));
    _mm_storeu_si128(pixels + 3, _mm_unpackhi_epi16(blue_green_high, red_alpha_high));
  }
  return x;
}
#endif

}  // namespace

void BuildJpegDequantTable(const int32_t quant[64], float dequant[64]) {
  for (int row = 0; row < 8; ++row)
    for (int col = 0; col < 8; ++col)
      dequant[row * 8 + col] = static_cast<float>(quant[row * 8 + col]) * kAanScale[col] * kAanScale[row] * 0.125f;
}

void JpegInverseDct(const int16_t* block, const float* dequant, JpegSampleRounding rounding, uint8_t* out,
                    int stride) {
#ifdef IMAGEIO_JPEG_AVX2
  static const bool has_avx2 = JpegHasAvx2();
  if (has_avx2) return JpegInverseDctAvx2(block, dequant, rounding, out, stride);
#endif
  JpegInverseDctPortable(block, dequant, rounding, out, stride);
}

void JpegInverseDctPortable(const int16_t* block, const float* dequant, JpegSampleRounding rounding, uint8_t* out,
                            int stride) {
  // Each row as its left and right four columns.
  Floats4 left[8];
  Floats4 right[8];
#pragma GCC unroll 8
  for (int r = 0; r < 8; ++r) DequantiseRow(block + r * 8, dequant + r * 8, left[r], right[r]);
  InverseDct8(left);  // down the columns
  InverseDct8(right);
  Transpose(left, right);
  InverseDct8(left);  // along the rows, now held as columns
  InverseDct8(right);
  Transpose(left, right);
#pragma GCC unroll 8
  for (int r = 0; r < 8; ++r)
    StoreSamples(SamplesOf(left[r], rounding), SamplesOf(right[r], rounding), out + r * stride);
}

void JpegYCbCrRow(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, int width, RGBA8* out) {
  int x = 0;
#ifdef __SSE2__
  x = YCbCrPixels16(y, cb, cr, width, out);
#endif
  for (; x < width; ++x) {
    const int32_t luma = int32_t{y[x]} << 16;
    const int32_t blue_diff = int32_t{cb[x]} - 128;
    const int32_t red_diff = int32_t{cr[x]} - 128;
    out[x] = Pixel((luma + red_diff * kCrToRed) >> 16, (luma - blue_diff * kCbToGreen - red_diff * kCrToGreen) >> 16,
                   (luma + blue_diff * kCbToBlue) >> 16);
  }
}

void JpegDoubleRow(const uint8_t* row, int width, uint8_t* out) {
  int x = 0;
#ifdef __SSE2__
  for (; x + 32 <= width; x += 32) {
    const __m128i samples = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x / 2));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), _mm_unpacklo_epi8(samples, samples));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x + 16), _mm_unpackhi_epi8(samples, samples));
  }
#endif
  for (; x < width; ++x) out[x] = row[x / 2];
}

void JpegRgbRow(const uint8_t* r, const uint8_t* g, const uint8_t* b, int width, RGBA8* out) {
  for (int x = 0; x < width; ++x) out[x] = RGBA8(r[x], g[x], b[x], kOpaque);
}

void JpegCmykRow(const uint8_t* c, const uint8_t* m, const uint8_t* y, const uint8_t* k, int width, RGBA8* out) {
  for (int x = 0; x < width; ++x)
    out[x] = RGBA8(InkTimesBlack(c[x], k[x]), InkTimesBlack(m[x], k[x]), InkTimesBlack(y[x], k[x]), kOpaque);
}

void JpegYcckRow(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, const uint8_t* k, int width, RGBA8* out) {
  JpegYCbCrRow(y, cb, cr, width, out);
  for (int x = 0; x < width; ++x) {
    const int32_t black = k[x];
    out[x] = RGBA8(InkTimesBlack(255 - out[x].red, black), InkTimesBlack(255 - out[x].green, black),
                   InkTimesBlack(255 - out[x].blue, black), kOpaque);
  }
}

}  // namespace imageio
