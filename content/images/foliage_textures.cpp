// Cut-out textures with masks: bark and leaves, fence rails, reeds, flowers.
// Row 0 is the top of the picture, which the scenes map to v = 0.
#include <algorithm>
#include <cmath>
#include <vector>

#include "content/images/images.h"
#include "content/images/palette.h"
#include "maths/pi.h"

namespace {

// puutex2: bark in the left half (opaque), a spray of leaves in the right.
// The spray is one rounded clump on a transparent margin: its core stays
// more than half covered in every mipmap level, so a crown still reads as a
// clump far away, and no card edge or bark from the other half (or, wrapping
// round, from the left edge) reaches the cut-off.
constexpr int kTreeSize = 256;
constexpr int kSprayLeaves = 70;
constexpr float kSprayRadius = 0.33f;  // of the card, round its centre
constexpr Colour kLeafShadow{0.04f, 0.08f, 0.03f};
constexpr Colour kLeafLit{0.18f, 0.26f, 0.08f};
constexpr Colour kTwig{0.10f, 0.07f, 0.05f};

// One leaf of the spray in card units (x across, y along the card; the twig
// joins at the bottom middle): a pointed blade from `base` along `axis`.
struct Leaf {
  float base_x, base_y, axis_x, axis_y, length, width, shade;
};

Leaf SprayLeaf(int i) {
  const float angle = kTwoPi * Hash01(i, 0, 74), reach = kSprayRadius * std::sqrt(Hash01(i, 1, 74));
  const float x = 0.5f + reach * std::cos(angle), y = 0.48f + reach * std::sin(angle);
  // Pointing away from where the twig joins, give or take.
  float ax = x - 0.5f + (Hash01(i, 2, 74) - 0.5f) * 0.5f, ay = y - 1.0f;
  const float norm = std::sqrt(ax * ax + ay * ay);
  ax /= norm;
  ay /= norm;
  const float length = 0.13f + 0.07f * Hash01(i, 3, 74);
  return {x - 0.5f * length * ax, y - 0.5f * length * ay, ax, ay, length, 0.22f * length, Hash01(i, 4, 74)};
}

// How far inside the blade (x, y) lies, 0 outside; also its side of the rib.
float InLeaf(const Leaf& leaf, float x, float y, float* across) {
  const float dx = x - leaf.base_x, dy = y - leaf.base_y;
  const float t = (dx * leaf.axis_x + dy * leaf.axis_y) / leaf.length;
  if (t <= 0 || t >= 1) return 0;
  *across = dx * -leaf.axis_y + dy * leaf.axis_x;
  const float half = leaf.width * std::sin(kPi * std::pow(t, 0.8f));
  return std::fabs(*across) < half ? 1 - std::fabs(*across) / half : 0;
}

// Distance from (x, y) to the segment from a to b, card units.
float ToSegment(float x, float y, float ax, float ay, float bx, float by) {
  const float ex = bx - ax, ey = by - ay;
  const float t = std::clamp(((x - ax) * ex + (y - ay) * ey) / (ex * ex + ey * ey), 0.0f, 1.0f);
  return std::hypot(x - ax - t * ex, y - ay - t * ey);
}

Colour SprayTexel(const std::vector<Leaf>& leaves, float x, float y, float* alpha) {
  // Later leaves lie on top; the rib and the side away from the light are darker.
  for (auto leaf = leaves.rbegin(); leaf != leaves.rend(); ++leaf) {
    float across = 0;
    const float inside = InLeaf(*leaf, x, y, &across);
    if (inside <= 0) continue;
    *alpha = 1;
    const float light = 0.35f + 0.5f * leaf->shade + (across > 0 ? 0.15f : -0.1f) - (inside > 0.9f ? 0.15f : 0);
    return Mix(kLeafShadow, kLeafLit, std::clamp(light, 0.0f, 1.0f));
  }
  // Twigs from the joint at the bottom into the spray.
  for (int i = 0; i < 5; ++i) {
    const float tx = 0.5f + (Hash01(i, 0, 75) - 0.5f) * 0.5f, ty = 0.3f + 0.3f * Hash01(i, 1, 75);
    if (ToSegment(x, y, 0.5f, 0.97f, tx, ty) < 0.008f) {
      *alpha = 1;
      return kTwig;
    }
  }
  *alpha = 0;
  return Mix(kLeafShadow, kLeafLit, 0.3f);  // what filtering blends in at the edges
}

void TreeTexture(AssetSet& assets) {
  RgbImage colour(kTreeSize, kTreeSize);
  GrayImage alpha(kTreeSize, kTreeSize);
  std::vector<Leaf> leaves;
  for (int i = 0; i < kSprayLeaves; ++i) leaves.push_back(SprayLeaf(i));
  const int half = kTreeSize / 2;
  for (int y = 0; y < kTreeSize; ++y)
    for (int x = 0; x < kTreeSize; ++x) {
      const float u = float(x) / kTreeSize, v = float(y) / kTreeSize;
      if (x < half) {
        const float furrows = Fbm(u * 16, v * 2, 16, 4, 71);
        colour.At(x, y) = Scale(Mix(Colour{0.08f, 0.065f, 0.055f}, Colour{0.22f, 0.19f, 0.16f}, furrows),
                                0.7f + 0.5f * std::fabs(std::sin(u * 50 + furrows * 6)));
        alpha.At(x, y) = 1;
        continue;
      }
      colour.At(x, y) = SprayTexel(leaves, float(x - half + 0.5f) / half, (float(y) + 0.5f) / kTreeSize, &alpha.At(x, y));
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
