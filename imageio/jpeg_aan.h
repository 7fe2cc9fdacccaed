// The 8-point AAN inverse DCT of the JPEG reader, on any vector of floats (one lane per column or row).
#pragma once

namespace imageio {

// One 8-point AAN IDCT across the eight vectors, each lane on its own, with
// the scale factors already in the coefficients.
template <typename Floats>
[[gnu::always_inline]] inline void InverseDct8(Floats* p) {
  Floats tmp10 = p[0] + p[4];
  Floats tmp11 = p[0] - p[4];
  const Floats tmp13 = p[2] + p[6];
  Floats tmp12 = (p[2] - p[6]) * 1.4142135f - tmp13;
  const Floats even0 = tmp10 + tmp13;
  const Floats even3 = tmp10 - tmp13;
  const Floats even1 = tmp11 + tmp12;
  const Floats even2 = tmp11 - tmp12;

  const Floats z13 = p[5] + p[3];
  const Floats z10 = p[5] - p[3];
  const Floats z11 = p[1] + p[7];
  const Floats z12 = p[1] - p[7];
  const Floats odd7 = z11 + z13;
  tmp11 = (z11 - z13) * 1.4142135f;
  const Floats z5 = (z10 + z12) * 1.847759f;
  tmp10 = 1.0823922f * z12 - z5;
  tmp12 = -2.613126f * z10 + z5;
  const Floats odd6 = tmp12 - odd7;
  const Floats odd5 = tmp11 - odd6;
  const Floats odd4 = tmp10 + odd5;

  p[0] = even0 + odd7;
  p[7] = even0 - odd7;
  p[1] = even1 + odd6;
  p[6] = even1 - odd6;
  p[2] = even2 + odd5;
  p[5] = even2 - odd5;
  p[4] = even3 + odd4;
  p[3] = even3 - odd4;
}

}  // namespace imageio
