// The PNG filters reversed: byte loops for any pixel size, SSE2 steps of one pixel for 3- and 4-byte pixels.
#include "imageio/png_filters.h"

#include <cstdlib>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace imageio {
namespace {

enum FilterType { kNone = 0, kSub = 1, kUp = 2, kAverage = 3, kPaeth = 4 };

uint8_t Paeth(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = std::abs(p - a);
  const int pb = std::abs(p - b);
  const int pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return a;
  return pb <= pc ? b : c;
}

void UnfilterUp(uint8_t* row, const uint8_t* previous, size_t row_bytes) {
  size_t i = 0;
#ifdef __SSE2__
  for (; i + 16 <= row_bytes; i += 16) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + i));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(previous + i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(row + i), _mm_add_epi8(x, b));
  }
#endif
  for (; i < row_bytes; ++i) row[i] += previous[i];
}

// Any pixel size, byte by byte; previous may be null.
void UnfilterBytes(int filter_type, uint8_t* row, const uint8_t* previous, size_t row_bytes, size_t u) {
  switch (filter_type) {
    case kSub:
      for (size_t i = u; i < row_bytes; ++i) row[i] += row[i - u];
      break;
    case kUp:
      if (previous) UnfilterUp(row, previous, row_bytes);
      break;
    case kAverage:
      for (size_t i = 0; i < row_bytes; ++i) {
        const int a = i >= u ? row[i - u] : 0;
        const int b = previous ? previous[i] : 0;
        row[i] += (a + b) / 2;
      }
      break;
    case kPaeth:
      for (size_t i = 0; i < row_bytes; ++i) {
        const int a = i >= u ? row[i - u] : 0;
        const int b = previous ? previous[i] : 0;
        const int c = previous && i >= u ? previous[i - u] : 0;
        row[i] += Paeth(a, b, c);
      }
      break;
  }
}

#ifdef __SSE2__
// One pixel of Unit bytes (3 or 4) in the low bytes of a register. Three
// bytes are put together in a register: a 3-byte copy through memory would
// stall the 4-byte load after it.
template <int Unit>
__m128i LoadPixel(const uint8_t* p) {
  uint32_t v;
  if (Unit == 4)
    std::memcpy(&v, p, 4);
  else
    v = p[0] | p[1] << 8 | static_cast<uint32_t>(p[2]) << 16;
  return _mm_cvtsi32_si128(static_cast<int>(v));
}

template <int Unit>
void StorePixel(uint8_t* p, __m128i v) {
  const uint32_t bits = static_cast<uint32_t>(_mm_cvtsi128_si32(v));
  if (Unit == 4) {
    std::memcpy(p, &bits, 4);
  } else {
    p[0] = static_cast<uint8_t>(bits);
    p[1] = static_cast<uint8_t>(bits >> 8);
    p[2] = static_cast<uint8_t>(bits >> 16);
  }
}

// Sub, Average and Paeth with a row above, a pixel a step; a is the pixel to
// the left, already unfiltered, and c the one above it.
template <int Unit>
void UnfilterPixels(int filter_type, uint8_t* row, const uint8_t* previous, size_t row_bytes) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i ones = _mm_set1_epi8(1);
  __m128i a = zero;
  switch (filter_type) {
    case kSub:
      for (size_t i = 0; i < row_bytes; i += Unit) {
        a = _mm_add_epi8(LoadPixel<Unit>(row + i), a);
        StorePixel<Unit>(row + i, a);
      }
      break;
    case kAverage:
      for (size_t i = 0; i < row_bytes; i += Unit) {
        const __m128i b = LoadPixel<Unit>(previous + i);
        // avg_epu8 rounds up; take the odd sums' half back off.
        const __m128i mean = _mm_sub_epi8(_mm_avg_epu8(a, b), _mm_and_si128(_mm_xor_si128(a, b), ones));
        a = _mm_add_epi8(LoadPixel<Unit>(row + i), mean);
        StorePixel<Unit>(row + i, a);
      }
      break;
    case kPaeth: {
      // In 16-bit lanes: pa = |b - c|, pb = |a - c|, pc = |(b - c) + (a - c)|.
      __m128i c = zero;
      for (size_t i = 0; i < row_bytes; i += Unit) {
        const __m128i b = _mm_unpacklo_epi8(LoadPixel<Unit>(previous + i), zero);
        const __m128i wide_a = _mm_unpacklo_epi8(a, zero);
        const __m128i b_c = _mm_sub_epi16(b, c);
        const __m128i a_c = _mm_sub_epi16(wide_a, c);
        const __m128i pa = _mm_max_epi16(b_c, _mm_sub_epi16(zero, b_c));
        const __m128i pb = _mm_max_epi16(a_c, _mm_sub_epi16(zero, a_c));
        const __m128i sum = _mm_add_epi16(b_c, a_c);
        const __m128i pc = _mm_max_epi16(sum, _mm_sub_epi16(zero, sum));
        const __m128i smallest = _mm_min_epi16(pa, _mm_min_epi16(pb, pc));
        const __m128i take_a = _mm_cmpeq_epi16(pa, smallest);
        const __m128i take_b = _mm_cmpeq_epi16(pb, smallest);
        __m128i predictor = _mm_or_si128(_mm_and_si128(take_b, b), _mm_andnot_si128(take_b, c));
        predictor = _mm_or_si128(_mm_and_si128(take_a, wide_a), _mm_andnot_si128(take_a, predictor));
        a = _mm_add_epi8(LoadPixel<Unit>(row + i), _mm_packus_epi16(predictor, predictor));
        StorePixel<Unit>(row + i, a);
        c = b;
      }
      break;
    }
  }
}
#endif

}  // namespace

void UnfilterRow(int filter_type, uint8_t* row, const uint8_t* previous, size_t row_bytes, int unit) {
#ifdef __SSE2__
  const bool stepped = filter_type == kSub || (previous && (filter_type == kAverage || filter_type == kPaeth));
  if (stepped && unit == 4 && row_bytes % 4 == 0) return UnfilterPixels<4>(filter_type, row, previous, row_bytes);
  if (stepped && unit == 3 && row_bytes % 3 == 0) return UnfilterPixels<3>(filter_type, row, previous, row_bytes);
#endif
  UnfilterBytes(filter_type, row, previous, row_bytes, unit);
}

}  // namespace imageio
