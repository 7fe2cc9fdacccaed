// Adler-32, sixteen bytes a step with SSE2 where the compiler offers it.
#include "imageio/adler32.h"

#include <algorithm>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace imageio {
namespace {

constexpr uint32_t kModulus = 65521;
// The most bytes whose sums cannot overflow 32 bits before they are reduced.
constexpr size_t kRun = 5552;

#ifdef __SSE2__
uint32_t SumLanes(__m128i v) {
  v = _mm_add_epi32(v, _mm_shuffle_epi32(v, _MM_SHUFFLE(1, 0, 3, 2)));
  v = _mm_add_epi32(v, _mm_shuffle_epi32(v, _MM_SHUFFLE(2, 3, 0, 1)));
  return static_cast<uint32_t>(_mm_cvtsi128_si32(v));
}

// Adds whole 16-byte steps of data to a and b; returns the bytes taken.
size_t AddSteps(const uint8_t* data, size_t size, uint32_t* a, uint64_t* b) {
  const size_t steps = size / 16;
  // Over a step b gains 16 times a before it, plus the bytes weighted 16 down to 1.
  const __m128i zero = _mm_setzero_si128();
  const __m128i low_weights = _mm_set_epi16(9, 10, 11, 12, 13, 14, 15, 16);
  const __m128i high_weights = _mm_set_epi16(1, 2, 3, 4, 5, 6, 7, 8);
  __m128i sums = zero;      // bytes so far
  __m128i earlier = zero;   // the sums before each step, added up
  __m128i weighted = zero;  // the weighted bytes of every step
  for (size_t i = 0; i < steps; ++i) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + 16 * i));
    earlier = _mm_add_epi32(earlier, sums);
    sums = _mm_add_epi32(sums, _mm_sad_epu8(bytes, zero));
    weighted = _mm_add_epi32(weighted, _mm_madd_epi16(_mm_unpacklo_epi8(bytes, zero), low_weights));
    weighted = _mm_add_epi32(weighted, _mm_madd_epi16(_mm_unpackhi_epi8(bytes, zero), high_weights));
  }
  *b += 16 * (static_cast<uint64_t>(steps) * *a + SumLanes(earlier)) + SumLanes(weighted);
  *a += SumLanes(sums);
  return steps * 16;
}
#else
size_t AddSteps(const uint8_t*, size_t, uint32_t*, uint64_t*) { return 0; }
#endif

}  // namespace

uint32_t Adler32(const uint8_t* data, size_t size) {
  uint32_t a = 1;
  uint64_t b = 0;
  while (size > 0) {
    const size_t run = std::min(size, kRun);
    const size_t stepped = AddSteps(data, run, &a, &b);
    for (size_t i = stepped; i < run; ++i) {
      a += data[i];
      b += a;
    }
    a %= kModulus;
    b %= kModulus;
    data += run;
    size -= run;
  }
  return static_cast<uint32_t>(b) << 16 | a;
}

}  // namespace imageio
