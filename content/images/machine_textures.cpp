// Textures of the machine scenes: brushed and blued metal, the chrome environment map,
// blue light panels, neon, floor grating and riveted wall plates.
#include <algorithm>
#include <cmath>

#include "content/images/images.h"
#include "content/images/palette.h"
#include "maths/pi.h"

namespace {

constexpr int kSize = 256;

// Brushed steel: fine horizontal streaks over bands of polished sheen.
RgbImage BrushedMetal() {
  return ShadeImage(kSize, kSize, [](float x, float y) {
    const float streaks = Fbm(x * 2, y * 128, 2, 3, 111);
    const float sheen = std::pow(0.5f + 0.5f * std::cos((x - 0.3f) * kTwoPi), 3.0f);
    const float v = 0.30f + 0.30f * streaks + 0.45f * sheen;
    return Colour{v * 0.90f, v * 0.95f, v * 1.05f};
  });
}

// Blued steel for pillars and pipes: fine streaks along the length under
// polished bands that hold the blue panels' light, baked in so that the
// hall's metal stays cool under the warm fog at the cost of one texture.
RgbImage BluedSteel() {
  return ShadeImage(kSize, kSize, [](float x, float y) {
    const float streaks = Fbm(x * 128, y * 2, 2, 3, 151);
    const float band = std::pow(0.5f + 0.5f * std::cos((x - 0.35f) * kTwoPi * 2), 6.0f);
    const Colour c = Mix(Colour{0.18f, 0.26f, 0.40f}, palette::kSteelBlue, 0.4f + 0.6f * streaks);
    return Mix(c, Colour{0.78f, 0.92f, 1.0f}, band * 0.85f);
  });
}

// Chrome environment map (sphere map) of the dusk hall seen level from its
// middle: each texel holds what a mirror whose normal points there reflects.
// The centre and the rim reflect the horizon (behind the viewer and straight
// ahead), where the orange glow lies; above it a wide band of blue light
// panels, then the wall's orange-lit plates and the evening sky, violet only
// near the zenith; below it the floor, warm steel darkening straight down.
// A sun glints ahead and to the left.
RgbImage Chrome() {
  return ShadeImage(kSize, kSize, [](float x, float y) {
    // The normal's sides; texture rows go up with t, which grows with y.
    const float nx = x * 2 - 1, ny = y * 2 - 1;
    const float rr = std::min(1.0f, nx * nx + ny * ny), nz = std::sqrt(1 - rr);
    const float elevation = 2 * nz * ny;  // of the reflected direction: -1 down to +1 up
    Colour c;
    if (elevation < -0.06f)
      c = Mix(Colour{0.62f, 0.44f, 0.30f}, Colour{0.22f, 0.17f, 0.17f}, std::min(1.0f, (-elevation - 0.06f) * 2));
    else if (elevation < 0.10f)
      c = Mix(palette::kFog, Colour{1.0f, 0.80f, 0.50f}, 1 - std::fabs(elevation - 0.02f) * 12);
    else if (elevation < 0.50f)
      c = Mix(palette::kPanelBlue, Colour{0.70f, 0.88f, 1.0f}, 0.5f + 0.5f * std::cos((elevation - 0.10f) * 30));
    else if (elevation < 0.62f)
      c = Colour{0.70f, 0.46f, 0.30f};
    else
      c = Mix(palette::kFog, palette::kDuskViolet, std::clamp((elevation - 0.62f) * 3, 0.0f, 1.0f));
    const float sun = std::exp(-((nx + 0.80f) * (nx + 0.80f) + (ny - 0.30f) * (ny - 0.30f)) * 60);
    return Mix(c, palette::kSunCore, sun);
  });
}

// Blue light panels: a grid of glowing tiles with dark seams and a hot
// white core in each.
RgbImage BluePanels() {
  return ShadeImage(kSize, kSize, [](float x, float y) {
    const float gx = std::fmod(x * 4, 1.0f), gy = std::fmod(y * 4, 1.0f);
    const float seam = std::min(std::min(gx, 1 - gx), std::min(gy, 1 - gy));
    const float glow = std::clamp(seam * 14, 0.0f, 1.0f);
    const float flicker = 0.8f + 0.2f * Hash01(int(x * 4), int(y * 4), 121);
    const float centre = 1 - std::hypot(gx - 0.5f, gy - 0.5f);
    Colour c = Scale(palette::kPanelBlue, glow * flicker * (0.8f + 0.6f * centre));
    return Mix(c, Colour{0.85f, 0.95f, 1.0f}, std::pow(std::max(0.0f, centre), 5.0f) * glow * 0.8f);
  });
}

// Neon: white-hot cores fading to blue, for glowing letters.
RgbImage Neon() {
  return ShadeImage(64, 64, [](float x, float y) {
    const float core = std::pow(std::sin(x * kPi) * std::sin(y * kPi), 0.5f);
    return Mix(palette::kPanelBlue, Colour{0.90f, 0.97f, 1.0f}, core);
  });
}

// Floor grating: diamond tread plate with warm reflections.
RgbImage Grating() {
  return ShadeImage(kSize, kSize, [](float x, float y) {
    const float a = std::fabs(std::fmod(x * 16 + y * 16, 1.0f) - 0.5f);
    const float b = std::fabs(std::fmod(x * 16 - y * 16 + 64, 1.0f) - 0.5f);
    const float ridge = std::clamp(0.12f - std::min(a, b), 0.0f, 1.0f) * 8;
    const float grime = Fbm(x * 4, y * 4, 4, 4, 131);
    Colour c = Mix(Colour{0.18f, 0.19f, 0.21f}, Colour{0.40f, 0.41f, 0.44f}, grime);
    return Mix(c, Colour{0.85f, 0.60f, 0.40f}, ridge * 0.5f);
  });
}

// Wall plates with seams and rivets.
RgbImage WallPlates() {
  return ShadeImage(kSize, kSize, [](float x, float y) {
    const float gx = std::fmod(x * 2, 1.0f), gy = std::fmod(y * 2, 1.0f);
    const float seam = std::min(std::min(gx, 1 - gx), std::min(gy, 1 - gy));
    const float rx = std::fmod(x * 16, 1.0f) - 0.5f, ry = gy < 0.06f || gy > 0.94f ? 0.0f : 1.0f;
    const bool rivet = ry == 0.0f && std::fabs(rx) < 0.12f;
    const float wear = Fbm(x * 6, y * 6, 6, 4, 141);
    Colour c = Mix(Colour{0.24f, 0.27f, 0.32f}, Colour{0.46f, 0.50f, 0.56f}, wear);
    if (seam < 0.01f) c = Scale(c, 0.3f);
    return rivet ? Colour{0.75f, 0.75f, 0.78f} : c;
  });
}

}  // namespace

void AddMachineTextures(AssetSet& assets) {
  assets.AddTexture("metal7.jpg", BrushedMetal());
  assets.AddTexture("teras.jpg", BluedSteel());
  assets.AddTexture("chromic.jpg", Chrome());
  assets.AddTexture("blue_spa.jpg", BluePanels());
  assets.AddTexture("neon.jpg", Neon());
  assets.AddTexture("ritila.jpg", Grating());
  assets.AddTexture("seina.jpg", WallPlates());
}
