// Textures of the machine scenes: brushed metal, the chrome environment map,
// blue light panels, neon, floor grating and riveted wall plates.
#include <algorithm>
#include <cmath>

#include "content/images/images.h"
#include "content/images/palette.h"

namespace {

constexpr int kSize = 256;

// Brushed steel: fine horizontal streaks over bands of polished sheen.
RgbImage BrushedMetal() {
  return ShadeImage(kSize, kSize, [](float x, float y) {
    const float streaks = Fbm(x * 2, y * 128, 2, 3, 111);
    const float sheen = std::pow(0.5f + 0.5f * std::cos((x - 0.3f) * 6.2831853f), 3.0f);
    const float v = 0.30f + 0.30f * streaks + 0.45f * sheen;
    return Colour{v * 0.90f, v * 0.95f, v * 1.05f};
  });
}

// Chrome environment map (sphere map): the dusk sky above, its glow on the
// horizon, blue-grey steel below, with a hot spot where the sun sits.
RgbImage Chrome() {
  return ShadeImage(kSize, kSize, [](float x, float y) {
    const float dx = x * 2 - 1, dy = y * 2 - 1;
    const float r = std::min(1.0f, std::sqrt(dx * dx + dy * dy));
    const float elevation = -dy;  // +1 up, -1 down on the sphere's face
    Colour c;
    if (elevation > 0.05f)
      c = Mix(palette::kFog, palette::kDuskViolet, std::pow(elevation, 0.7f));
    else
      c = Mix(Colour{0.95f, 0.70f, 0.40f}, Colour{0.20f, 0.24f, 0.34f}, std::min(1.0f, -elevation * 3 + 0.2f));
    const float sun = std::exp(-((dx + 0.3f) * (dx + 0.3f) + (dy + 0.1f) * (dy + 0.1f)) * 40);
    c = Mix(c, palette::kSunCore, sun);
    return Scale(c, 0.75f + 0.35f * (1 - r * r));
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
    const float core = std::pow(std::sin(x * 3.1415927f) * std::sin(y * 3.1415927f), 0.5f);
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
  assets.AddTexture("chromic.jpg", Chrome());
  assets.AddTexture("blue_spa.jpg", BluePanels());
  assets.AddTexture("neon.jpg", Neon());
  assets.AddTexture("ritila.jpg", Grating());
  assets.AddTexture("seina.jpg", WallPlates());
}
