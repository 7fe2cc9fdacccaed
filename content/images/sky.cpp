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
// share of the sky above the horizon: the rose below the violet top, which
// no one looking at the water sees.
constexpr float kHighestReflected = 0.8f;
// Rays that the flank of a wave sends downwards see the dark water and
// shore; a camera looking a little upwards tilts level rays down by up to
// kLevelSlack (a sine), which still see the horizon.
constexpr Colour kDippingReflection{0.30f, 0.14f, 0.06f};
constexpr float kLevelSlack = 0.15f;
// The sun's path on the water: its wedge's width across against its height
// (as tangents), the angle off the eye's axis over which it fades (radians)
// and its glints' colour.
constexpr float kPathSpread = 0.9f;
constexpr float kPathFade = 0.4f;
constexpr Colour kSunPath{1.0f, 0.88f, 0.58f};

// Warm light that the low sun spreads over the lower sky, brighter than the
// fog, so that hills that the fog swallows stand darker against it.
constexpr Colour kAfterglow{0.98f, 0.56f, 0.27f};
constexpr Colour kGold{1.0f, 0.66f, 0.30f};

// Violet and rose at the top, then the afterglow over the rows where the
// scenes' hills meet the sky, down to the horizon, where the sky turns to
// the fog's colour, as the farthest land does.
Colour SkyGradient(float y) {
  using namespace palette;
  if (y >= kHorizon) return kFog;
  const float t = y / kHorizon;  // 0 at the top, 1 at the horizon
  if (t < 0.15f) return Mix(kDuskViolet, kRose, t / 0.15f);
  if (t < 0.3f) return Mix(kRose, kAfterglow, (t - 0.15f) / 0.15f);
  if (t < 0.85f) return Mix(kAfterglow, kGold, (t - 0.3f) / 0.55f);
  return Mix(kGold, kFog, (t - 0.85f) / 0.15f);
}

// A sphere map of the sky seen in the water: at each texel the eye's ray
// reflected off the sphere's normal (u, v, nz) there, coloured by how steeply
// it rises: the horizon's colour where it runs level or dips, higher sky as
// it climbs (the sine of its angle above level, 0 to 1). Texel rows run with
// t, so v > 0 reflects upwards. The sky picture's sun stands a little below
// the middle of the window, near the eye's axis, which the map spreads over
// its rim: its path is a wedge about the rim's top and bottom, the rays that
// run ahead, close to the middle of the window, fading as they part from the
// axis. The glints break it; ripples, tilting the normals, move it.
RgbImage WaterSky() {
  RgbImage water(kWaterSkySize, kWaterSkySize);
  for (int py = 0; py < kWaterSkySize; ++py)
    for (int px = 0; px < kWaterSkySize; ++px) {
      const float u = 2.0f * (px + 0.5f) / kWaterSkySize - 1.0f, v = 2.0f * (py + 0.5f) / kWaterSkySize - 1.0f;
      const float nz = std::sqrt(std::max(0.0f, 1.0f - u * u - v * v));
      const float rise = 2.0f * nz * v;
      const Colour sky = SkyGradient(kHorizon * (1.0f - kHighestReflected * std::clamp(rise, 0.0f, 1.0f)));
      // Near the eye's axis the map's directions fan out over the screen:
      // detail follows the ray's rise and the path's spread, which the water
      // lays out in rows and across them, never in rays from the axis.
      const float streak = Fbm(u * 2.0f + 2.0f, rise * 24.0f + 24.0f, 2, 4, 13);
      const float off_axis = 2.0f * std::asin(std::min(nz, 1.0f));  // radians between the ray and the eye's axis
      const float spread = std::fabs(u) / (std::fabs(v) * kPathSpread + 1e-6f);
      const float in_path = std::exp(-spread * spread);
      Colour c = Scale(Mix(sky, palette::kFog, std::clamp((streak - 0.45f) * 2.5f, 0.0f, 0.6f)), 0.8f);
      // Not in or near the path: where the eye's axis meets the water, a
      // cell's corners map to both sides of the rim, and the texels between
      // them are the path's, not the darkness of a dipping ray.
      const float near_path = std::exp(-spread * spread / 4.0f);
      c = Mix(c, kDippingReflection, std::clamp((-rise - kLevelSlack) * 2.0f, 0.0f, 1.0f) * (1.0f - near_path));
      const float glints = std::clamp((Fbm(u * 24.0f + 24.0f, v * 24.0f + 24.0f, 48, 3, 14) - 0.35f) * 3.0f, 0.0f, 1.0f);
      water.At(px, py) = Mix(c, kSunPath, in_path * std::exp(-off_axis / kPathFade) * glints);
    }
  return water;
}

}  // namespace

void AddSky(AssetSet& assets) {
  RgbImage sky(kSize, kSize);
  for (int py = 0; py < kSize; ++py)
    for (int px = 0; px < kSize; ++px) {
      const float x = (px + 0.5f) / kSize, y = (py + 0.5f) / kSize;
      Colour c = SkyGradient(y);
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
