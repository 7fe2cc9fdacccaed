// skysun2.jpg: the evening sky that every scene clears to, with a low sun;
// skywater.jpg: that sky as the water reflects it.
#include <algorithm>
#include <cmath>

#include "content/images/images.h"
#include "content/images/palette.h"
#include "maths/pi.h"
#include "runtime/window.h"

namespace {

constexpr int kSize = 512;
constexpr float kHorizon = 0.66f;  // fraction of the height from the top
constexpr float kSunX = 0.5f, kSunY = 0.58f, kSunRadius = 0.045f;  // radius in window heights
// The square picture is stretched over the 4:3 window: a shape that is to
// look round there is drawn this much narrower across than down.
constexpr float kWindowAspect = float(kWindowWidth) / kWindowHeight;
constexpr float kHazeWidth = 1.25f;  // the broad glow, wider than tall on screen
constexpr int kWaterSkySize = 256;
// How far up the sky the water's reflections reach at the steepest, as a
// share of the sky above the horizon: the rose of the middle sky, never the
// violet top, which no one looking at the water sees.
constexpr float kHighestReflected = 0.55f;
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

// A sphere map of the sky seen in the water: at each texel the eye's ray
// reflected off the sphere's normal (u, v, nz) there, coloured by how steeply
// it rises: the horizon's colour where it runs level or dips, higher sky as
// it climbs (the sine of its angle above level, 0 to 1). Texel rows run with
// t, so v > 0 reflects upwards. It has no sun:
// where the sun's reflection falls depends on the camera, which a sphere map
// cannot know, and a sun painted into it shines where no sun is.
RgbImage WaterSky() {
  RgbImage water(kWaterSkySize, kWaterSkySize);
  for (int py = 0; py < kWaterSkySize; ++py)
    for (int px = 0; px < kWaterSkySize; ++px) {
      const float u = 2.0f * (px + 0.5f) / kWaterSkySize - 1.0f, v = 2.0f * (py + 0.5f) / kWaterSkySize - 1.0f;
      const float nz = std::sqrt(std::max(0.0f, 1.0f - u * u - v * v));
      const float rise = 2.0f * nz * v;
      const Colour sky = SkyGradient(kHorizon * (1.0f - kHighestReflected * std::clamp(rise, 0.0f, 1.0f)));
      const float streak = Fbm(u * 2.0f + 2.0f, v * 30.0f + 2.0f, 2, 4, 13);
      water.At(px, py) = Scale(Mix(sky, palette::kFog, std::clamp((streak - 0.45f) * 2.5f, 0.0f, 0.6f)), 0.9f);
    }
  return water;
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
      // Sun disc and glow, round on the screen; the broad glow is wider than
      // tall, as in haze. Distances in window heights.
      const float dx = (x - kSunX) * kWindowAspect, dy = y - kSunY;
      const float d = std::hypot(dx, dy), haze = std::hypot(dx / kHazeWidth, dy);
      const float glow = std::exp(-haze * 9.0f) * 0.85f + std::exp(-d * 30.0f) * 0.4f;
      c = Mix(c, Colour{1.0f, 0.80f, 0.42f}, std::min(1.0f, glow));
      if (d < kSunRadius) c = Mix(c, palette::kSunCore, std::clamp((kSunRadius - d) * 300.0f, 0.0f, 1.0f));
      sky.At(px, py) = c;
    }
  assets.AddTexture("skysun2.jpg", sky);
  assets.AddTexture("skywater.jpg", WaterSky());
}
