// Tiling ground and material textures of the nature scenes.
#include <algorithm>
#include <cmath>

#include "content/images/images.h"
#include "content/images/palette.h"
#include "maths/pi.h"

namespace {

constexpr int kSize = 256;

// Lake water at dusk, a warm grey that darkens the sky it reflects without
// changing its hue: darker troughs, lighter crests along the swell.
RgbImage Water() {
  return ShadeImage(kSize, kSize, [](float x, float y) {
    const float swell = std::clamp((Fbm(x * 4, y * 16, 4, 4, 21) - 0.5f) * 3 + 0.5f, 0.0f, 1.0f);
    const float ripple = Fbm(x * 16, y * 64, 16, 3, 22);
    const float glint = std::pow(std::clamp(ripple * 2.6f - 1.45f, 0.0f, 1.0f), 1.5f);
    Colour c = Mix(Colour{0.80f, 0.78f, 0.75f}, Colour{0.97f, 0.95f, 0.92f}, swell);
    c = Mix(c, Colour{1.0f, 0.97f, 0.93f}, std::clamp(ripple * 2 - 1, 0.0f, 1.0f) * 0.5f);
    return Mix(c, Colour{1.0f, 0.97f, 0.90f}, glint);
  });
}

// Summer grass in the evening, dark enough that the low orange sun turns it
// golden rather than yellow: soft patches under thousands of short blades,
// each a few texels long and pointing every way, so the ground shows fine
// detail close to the camera and no direction of its own (a texture of
// streaks one way reads as motion blur).
constexpr int kGrassSize = 512;
constexpr int kGrassBlades = 9000;
constexpr float kBladeWidth = 2.0f;  // texels: blades stay visible in the first mipmaps

RgbImage Grass() {
  // Tufts a few texels across: detail that the ground still shows where it
  // is seen at a slant and drawn from a smaller mipmap.
  RgbImage image = ShadeImage(kGrassSize, kGrassSize, [](float x, float y) {
    const float patches = std::clamp((Fbm(x * 4, y * 4, 4, 3, 31) - 0.5f) * 2 + 0.5f, 0.0f, 1.0f);
    const float tufts = std::clamp((Fbm(x * 32, y * 32, 32, 2, 32) - 0.5f) * 3 + 0.5f, 0.0f, 1.0f);
    const float grain = Hash01(int(x * kGrassSize), int(y * kGrassSize), 33);
    const Colour ground = Mix(Colour{0.22f, 0.28f, 0.08f}, Colour{0.42f, 0.42f, 0.15f}, patches);
    return Scale(ground, 0.45f + 0.75f * tufts + 0.15f * grain);
  });
  for (int i = 0; i < kGrassBlades; ++i) {
    const float x0 = kGrassSize * Hash01(i, 0, 34), y0 = kGrassSize * Hash01(i, 1, 34);
    const float angle = kTwoPi * Hash01(i, 2, 34), length = 5 + 11 * Hash01(i, 3, 34);
    const float tone = Hash01(i, 4, 34);
    // Mostly green blades, a few dry ones.
    const Colour blade = tone < 0.85f ? Mix(Colour{0.14f, 0.24f, 0.05f}, Colour{0.56f, 0.60f, 0.20f}, tone / 0.85f)
                                      : Mix(Colour{0.60f, 0.54f, 0.26f}, Colour{0.80f, 0.70f, 0.38f}, (tone - 0.85f) / 0.15f);
    const float dx = std::cos(angle), dy = std::sin(angle);
    // From a dark root to a lighter tip, wrapping round the tile's edges.
    for (float t = 0; t <= length; t += 0.5f)
      for (float w = 0; w < kBladeWidth * (1 - 0.5f * t / length); w += 0.5f) {
        const int x = int(x0 + t * dx - w * dy + kGrassSize) % kGrassSize;
        const int y = int(y0 + t * dy + w * dx + kGrassSize) % kGrassSize;
        image.At(x, y) = Scale(blade, 0.6f + 0.6f * t / length);
      }
  }
  return image;
}

// Granite: grey with pink feldspar and dark cracks.
RgbImage Rock() {
  return ShadeImage(kSize, kSize, [](float x, float y) {
    const float base = std::clamp((Fbm(x * 8, y * 8, 8, 5, 41) - 0.5f) * 2.5f + 0.5f, 0.0f, 1.0f);
    const float grain = Hash01(int(x * kSize), int(y * kSize), 42);
    const float crack = std::fabs(Fbm(x * 4, y * 4, 4, 4, 43) - 0.5f);
    Colour c = Mix(Colour{0.30f, 0.28f, 0.27f}, Colour{0.58f, 0.50f, 0.47f}, base);
    c = Mix(c, Colour{0.66f, 0.42f, 0.36f}, grain > 0.85f ? 0.6f : 0.0f);
    return Scale(c, crack < 0.02f ? 0.45f : 0.9f + 0.2f * grain);
  });
}

// Weathered planks, grain along v.
RgbImage Planks() {
  return ShadeImage(kSize, kSize, [](float x, float y) {
    const int plank = int(x * 4);
    const float grain = Fbm(x * 32 + float(plank) * 7.3f, y * 2, 32, 4, 51);
    const float edge = std::fmod(x * 4, 1.0f);
    Colour c = Mix(Colour{0.30f, 0.20f, 0.13f}, Colour{0.55f, 0.40f, 0.27f}, grain);
    c = Scale(c, 0.85f + 0.3f * Hash01(plank, 0, 52));
    return (edge < 0.04f || edge > 0.96f) ? Scale(c, 0.4f) : c;
  });
}

// Spruce needles: dark layered boughs, drooping rows along u.
RgbImage Spruce() {
  return ShadeImage(128, 128, [](float x, float y) {
    const float boughs = 0.5f + 0.5f * std::sin((y * 8 + 0.15f * std::sin(x * kTwoPi * 4)) * kTwoPi);
    const float needles = Fbm(x * 32, y * 32, 32, 2, 65);
    return Scale(Mix(Colour{0.04f, 0.08f, 0.05f}, Colour{0.16f, 0.24f, 0.12f}, needles), 0.6f + 0.6f * boughs);
  });
}

// Dark feathers with lighter barbs for the bird.
RgbImage Feathers() {
  return ShadeImage(128, 128, [](float x, float y) {
    const float barbs = 0.5f + 0.5f * std::sin((x * 12 + y * 3) * kTwoPi);
    const float mottle = Fbm(x * 4, y * 4, 4, 3, 61);
    return Mix(Colour{0.10f, 0.08f, 0.07f}, Colour{0.35f, 0.28f, 0.22f}, 0.3f * barbs + 0.5f * mottle);
  });
}

}  // namespace

void AddNatureTextures(AssetSet& assets) {
  assets.AddTexture("vesi.jpg", Water());
  assets.AddTexture("ruoho.jpg", Grass());
  assets.AddTexture("kivi.jpg", Rock());
  assets.AddTexture("lauta.jpg", Planks());
  assets.AddTexture("sulka.jpg", Feathers());
  assets.AddTexture("havu.jpg", Spruce());
}
