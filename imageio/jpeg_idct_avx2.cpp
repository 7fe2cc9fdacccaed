// The AVX2 inverse DCT: eight columns per register, two passes with an 8 x 8 transpose after each.
#include "imageio/jpeg_idct_avx2.h"

#ifdef IMAGEIO_JPEG_AVX2
#include <immintrin.h>

#include "imageio/jpeg_aan.h"

namespace imageio {
namespace {

// Transposes the 8 x 8 floats held one row per register.
[[gnu::target("avx2"), gnu::always_inline]] inline void Transpose8(__m256* r) {
  // Rows 2i and 2i + 1 interleaved.
  const __m256 pair0 = _mm256_unpacklo_ps(r[0], r[1]);
  const __m256 pair1 = _mm256_unpackhi_ps(r[0], r[1]);
  const __m256 pair2 = _mm256_unpacklo_ps(r[2], r[3]);
  const __m256 pair3 = _mm256_unpackhi_ps(r[2], r[3]);
  const __m256 pair4 = _mm256_unpacklo_ps(r[4], r[5]);
  const __m256 pair5 = _mm256_unpackhi_ps(r[4], r[5]);
  const __m256 pair6 = _mm256_unpacklo_ps(r[6], r[7]);
  const __m256 pair7 = _mm256_unpackhi_ps(r[6], r[7]);
  // Rows 0 to 3 (then 4 to 7) of columns c and c + 4.
  const __m256 quad0 = _mm256_shuffle_ps(pair0, pair2, _MM_SHUFFLE(1, 0, 1, 0));
  const __m256 quad1 = _mm256_shuffle_ps(pair0, pair2, _MM_SHUFFLE(3, 2, 3, 2));
  const __m256 quad2 = _mm256_shuffle_ps(pair1, pair3, _MM_SHUFFLE(1, 0, 1, 0));
  const __m256 quad3 = _mm256_shuffle_ps(pair1, pair3, _MM_SHUFFLE(3, 2, 3, 2));
  const __m256 quad4 = _mm256_shuffle_ps(pair4, pair6, _MM_SHUFFLE(1, 0, 1, 0));
  const __m256 quad5 = _mm256_shuffle_ps(pair4, pair6, _MM_SHUFFLE(3, 2, 3, 2));
  const __m256 quad6 = _mm256_shuffle_ps(pair5, pair7, _MM_SHUFFLE(1, 0, 1, 0));
  const __m256 quad7 = _mm256_shuffle_ps(pair5, pair7, _MM_SHUFFLE(3, 2, 3, 2));
  r[0] = _mm256_permute2f128_ps(quad0, quad4, 0x20);
  r[1] = _mm256_permute2f128_ps(quad1, quad5, 0x20);
  r[2] = _mm256_permute2f128_ps(quad2, quad6, 0x20);
  r[3] = _mm256_permute2f128_ps(quad3, quad7, 0x20);
  r[4] = _mm256_permute2f128_ps(quad0, quad4, 0x31);
  r[5] = _mm256_permute2f128_ps(quad1, quad5, 0x31);
  r[6] = _mm256_permute2f128_ps(quad2, quad6, 0x31);
  r[7] = _mm256_permute2f128_ps(quad3, quad7, 0x31);
}

}  // namespace

bool JpegHasAvx2() { return __builtin_cpu_supports("avx2"); }

[[gnu::target("avx2")]] void JpegInverseDctAvx2(const int16_t* block, const float* dequant,
                                                JpegSampleRounding rounding, uint8_t* out, int stride) {
  __m256 rows[8];
#pragma GCC unroll 8
  for (int r = 0; r < 8; ++r) {
    const __m128i coefficients = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + r * 8));
    rows[r] = _mm256_mul_ps(_mm256_cvtepi32_ps(_mm256_cvtepi16_epi32(coefficients)), _mm256_loadu_ps(dequant + r * 8));
  }
  InverseDct8(rows);  // down the columns
  Transpose8(rows);
  InverseDct8(rows);  // along the rows, now held as columns
  Transpose8(rows);
  const bool truncate = rounding == JpegSampleRounding::kTruncate;
  const __m256 low = _mm256_set1_ps(truncate ? -128.0f : 0.0f);
  const __m256 high = _mm256_set1_ps(truncate ? 127.0f : 255.0f);
  const __m256 offset = _mm256_set1_ps(truncate ? 0.0f : 128.5f);
  const __m256i level_shift = _mm256_set1_epi32(truncate ? 128 : 0);
#pragma GCC unroll 8
  for (int r = 0; r < 8; ++r) {
    const __m256 clamped = _mm256_min_ps(_mm256_max_ps(_mm256_add_ps(rows[r], offset), low), high);
    const __m256i samples = _mm256_add_epi32(_mm256_cvttps_epi32(clamped), level_shift);
    const __m128i words = _mm_packs_epi32(_mm256_castsi256_si128(samples), _mm256_extracti128_si256(samples, 1));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + r * stride), _mm_packus_epi16(words, words));
  }
}

}  // namespace imageio
#endif
