// skysun2.jpg: the evening sky that every scene clears to, with a low sun.
#include <algorithm>
#include <cmath>

#include "content/images/images.h"
#include "content/images/palette.h"
#include "maths/pi.h"

namespace {

constexpr int kSize = 512;
constexpr float kHorizon = 0.66f;  // fraction of the height from the top
constexpr float kSunX = 0.5f, kSunY = 0.58f, kSunRadius = 0.045f;
// Below this the picture lies behind the ground of every scene; the water
// sphere-maps it instead: grazing reflections fall on the bottom edge,
// steeper ones (the flanks of ripples) higher up.
constexpr float kWaterBand = 0.8f;

Colour SkyGradient(float y) {
  using namespace palette;
  if (y >= kHorizon) return kFog;
  const float t = y / kHorizon;  // 0 at the top, 1 at the horizon
  if (t < 0.45f) return Mix(kDuskViolet, kRose, t / 0.45f);
  return Mix(kRose, kFog, (t - 0.45f) / 0.55f);
}

// The sky as rippled water shows it: the horizon's colour at both edges of
// the band, so that it joins the picture above it without a seam, and
// higher sky in between, darkened and streaked.
Colour Reflected(float x, float y) {
  const float f = (1.0f - y) / (1.0f - kWaterBand);  // 0 at the bottom edge, 1 at the top
  const Colour mirrored = SkyGradient(kHorizon * (1.0f - 0.8f * std::sin(kPi * f)));
  const float streak = Fbm(x * 2.0f, y * 60.0f, 2, 4, 12);
  return Scale(Mix(mirrored, palette::kFog, std::clamp((streak - 0.45f) * 2.5f, 0.0f, 0.8f)), 0.9f);
}

}  // namespace

void AddSky(AssetSet& assets) {
  RgbImage sky(kSize, kSize);
  for (int py = 0; py < kSize; ++py)
    for (int px = 0; px < kSize; ++px) {
      const float x = (px + 0.5f) / kSize, y = (py + 0.5f) / kSize;
      Colour c = y < kWaterBand ? SkyGradient(y) : Reflected(x, y);
      // Long thin clouds, lit from below near the sun.
      const float band = Fbm(x * 3.0f, y * 24.0f, 3, 5, 11);
      const float cloud = std::clamp((band - 0.52f) * 3.0f, 0.0f, 1.0f) * (y < kHorizon ? 1.0f : 0.0f) *
                          std::clamp(y * 2.2f - 0.25f, 0.0f, 1.0f);
      const Colour cloud_colour = Mix(Colour{0.42f, 0.18f, 0.28f}, Colour{1.0f, 0.62f, 0.30f}, 1.0f - y);
      c = Mix(c, cloud_colour, cloud * 0.7f);
      // Sun disc and glow; the glow is wider than tall, as in haze.
      const float dx = (x - kSunX) * 0.8f, dy = y - kSunY;
      const float d = std::sqrt(dx * dx + dy * dy);
      const float glow = std::exp(-d * 9.0f) * 0.85f + std::exp(-d * 30.0f) * 0.4f;
      c = Mix(c, Colour{1.0f, 0.80f, 0.42f}, std::min(1.0f, glow));
      if (d < kSunRadius) c = Mix(c, palette::kSunCore, std::clamp((kSunRadius - d) * 300.0f, 0.0f, 1.0f));
      sky.At(px, py) = c;
    }
  assets.AddTexture("skysun2.jpg", sky);
}
