// Cut-out textures with masks: bark and leaves, fence rails, reeds, flowers.
// Row 0 is the top of the picture, which the scenes map to v = 0.
#include <algorithm>
#include <cmath>

#include "content/images/images.h"
#include "content/images/palette.h"

namespace {

// puutex2: bark in the left half (opaque), a spray of leaves in the right.
void TreeTexture(AssetSet& assets) {
  constexpr int kSize = 256;
  RgbImage colour(kSize, kSize);
  GrayImage alpha(kSize, kSize);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const float u = float(x) / kSize, v = float(y) / kSize;
      if (x < kSize / 2) {
        const float furrows = Fbm(u * 16, v * 2, 16, 4, 71);
        colour.At(x, y) = Scale(Mix(Colour{0.12f, 0.09f, 0.07f}, Colour{0.36f, 0.29f, 0.22f}, furrows),
                                0.7f + 0.5f * std::fabs(std::sin(u * 50 + furrows * 6)));
        alpha.At(x, y) = 1;
        continue;
      }
      // Leaves: blobs of noise, thinning towards the edges of the half.
      const float lx = (u - 0.75f) * 4, ly = v * 2 - 1;
      const float falloff = 1 - std::clamp(std::sqrt(lx * lx + ly * ly), 0.0f, 1.0f);
      const float leaves = Fbm(u * 24, v * 24, 24, 3, 72);
      const float a = (leaves * 0.8f + falloff * 0.6f) > 0.75f ? 1.0f : 0.0f;
      const float light = Fbm(u * 6, v * 6, 6, 2, 73);
      colour.At(x, y) = Mix(Colour{0.08f, 0.16f, 0.05f}, Colour{0.45f, 0.48f, 0.12f}, light * 0.6f + leaves * 0.4f);
      alpha.At(x, y) = a;
    }
  assets.AddTexture("puutex2.jpg", colour, &alpha);
}

// A fence rail section: two horizontal rails and pickets, open between.
void FenceTexture(AssetSet& assets) {
  constexpr int kW = 256, kH = 128;
  RgbImage colour(kW, kH);
  GrayImage alpha(kW, kH);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      const float u = float(x) / kW, v = float(y) / kH;
      const bool rail = (v > 0.18f && v < 0.28f) || (v > 0.62f && v < 0.72f);
      const bool picket = std::fmod(u * 8, 1.0f) < 0.35f && v > 0.06f;
      const float grain = Fbm(u * 32, v * 4, 32, 3, 81);
      colour.At(x, y) = Mix(Colour{0.22f, 0.15f, 0.10f}, Colour{0.50f, 0.38f, 0.26f}, grain);
      alpha.At(x, y) = (rail || picket) ? 1.0f : 0.0f;
    }
  assets.AddTexture("aita.jpg", colour, &alpha);
}

// Reeds: thin tapering blades from the bottom edge.
void ReedTexture(AssetSet& assets) {
  constexpr int kW = 128, kH = 256;
  RgbImage colour(kW, kH, Colour{0.25f, 0.30f, 0.10f});
  GrayImage alpha(kW, kH);
  for (int blade = 0; blade < 14; ++blade) {
    const float root = 8 + Hash01(blade, 0, 91) * (kW - 16);
    const float lean = (Hash01(blade, 1, 91) - 0.5f) * 50;
    const float top = kH * (0.05f + 0.4f * Hash01(blade, 2, 91));
    const Colour tint = Mix(Colour{0.20f, 0.30f, 0.08f}, Colour{0.62f, 0.52f, 0.20f}, Hash01(blade, 3, 91));
    for (int y = int(top); y < kH; ++y) {
      const float t = (kH - float(y)) / (kH - top);  // 0 at the root, 1 at the tip
      const float cx = root + lean * t * t, half = 2.5f * (1 - t) + 0.5f;
      for (int x = int(cx - half); x <= int(cx + half); ++x)
        if (x >= 0 && x < kW) {
          alpha.At(x, y) = 1;
          colour.At(x, y) = Scale(tint, 0.7f + 0.5f * t);
        }
    }
  }
  assets.AddTexture("kaisla.jpg", colour, &alpha);
}

// Meadow flowers: stalks with small warm blossoms.
void FlowerTexture(AssetSet& assets) {
  constexpr int kSize = 128;
  RgbImage colour(kSize, kSize, Colour{0.2f, 0.3f, 0.1f});
  GrayImage alpha(kSize, kSize);
  const Colour blossoms[3] = {{0.95f, 0.85f, 0.30f}, {0.85f, 0.35f, 0.55f}, {0.95f, 0.95f, 0.90f}};
  for (int f = 0; f < 9; ++f) {
    const int cx = 10 + int(Hash01(f, 0, 101) * (kSize - 20));
    const int head = 10 + int(Hash01(f, 1, 101) * 50);
    for (int y = head; y < kSize; ++y)
      for (int x = cx - 1; x <= cx; ++x) {
        alpha.At(x, y) = 1;
        colour.At(x, y) = Colour{0.22f, 0.38f, 0.12f};
      }
    const Colour petal = blossoms[f % 3];
    for (int y = head - 6; y <= head + 6; ++y)
      for (int x = cx - 6; x <= cx + 6; ++x) {
        const float d = std::hypot(float(x - cx), float(y - head));
        if (d > 6 || x < 0 || y < 0 || x >= kSize || y >= kSize) continue;
        alpha.At(x, y) = 1;
        colour.At(x, y) = d < 2 ? Colour{0.9f, 0.6f, 0.1f} : petal;
      }
  }
  assets.AddTexture("kukka.jpg", colour, &alpha);
}

}  // namespace

void AddFoliageTextures(AssetSet& assets) {
  TreeTexture(assets);
  FenceTexture(assets);
  ReedTexture(assets);
  FlowerTexture(assets);
}
