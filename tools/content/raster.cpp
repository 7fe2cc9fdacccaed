// Float colour and grey images, tileable noise and the compositing the recipes use.
#include "tools/content/raster.h"

#include <algorithm>
#include <cmath>

Colour Mix(Colour a, Colour b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Colour Scale(Colour c, float s) { return {c.r * s, c.g * s, c.b * s}; }

RgbImage::RgbImage(int width, int height, Colour fill)
    : width_(width), height_(height), pixels_(size_t(width) * height, fill) {}

GrayImage::GrayImage(int width, int height, float fill)
    : width_(width), height_(height), pixels_(size_t(width) * height, fill) {}

float Hash01(int x, int y, uint32_t seed) {
  uint32_t h = uint32_t(x) * 0x8da6b343u ^ uint32_t(y) * 0xd8163841u ^ seed * 0xcb1ab31fu;
  h ^= h >> 15;
  h *= 0x2c1b3c6du;
  h ^= h >> 12;
  h *= 0x297a2d39u;
  h ^= h >> 15;
  return float(h & 0xFFFFFF) / float(0xFFFFFF);
}

namespace {

int Wrap(int i, int period) {
  const int m = i % period;
  return m < 0 ? m + period : m;
}

float Smooth(float t) { return t * t * (3 - 2 * t); }

}  // namespace

float TileNoise(float x, float y, int period, uint32_t seed) {
  if (period < 1) period = 1;
  const float fx = std::floor(x), fy = std::floor(y);
  const int x0 = Wrap(int(fx), period), y0 = Wrap(int(fy), period);
  const int x1 = Wrap(x0 + 1, period), y1 = Wrap(y0 + 1, period);
  const float tx = Smooth(x - fx), ty = Smooth(y - fy);
  const float a = Hash01(x0, y0, seed), b = Hash01(x1, y0, seed);
  const float c = Hash01(x0, y1, seed), d = Hash01(x1, y1, seed);
  return (a + (b - a) * tx) * (1 - ty) + (c + (d - c) * tx) * ty;
}

float Fbm(float x, float y, int period, int octaves, uint32_t seed) {
  float sum = 0, weight = 0.5f, total = 0;
  for (int o = 0; o < octaves; ++o) {
    sum += weight * TileNoise(x, y, period, seed + uint32_t(o) * 101u);
    total += weight;
    x *= 2;
    y *= 2;
    period *= 2;
    weight *= 0.5f;
  }
  return sum / total;
}

void Paint(RgbImage& image, const GrayImage& coverage, Colour colour, float opacity) {
  const int w = std::min(image.Width(), coverage.Width());
  const int h = std::min(image.Height(), coverage.Height());
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const float a = std::clamp(coverage.At(x, y) * opacity, 0.0f, 1.0f);
      if (a > 0) image.At(x, y) = Mix(image.At(x, y), colour, a);
    }
}

namespace {

GrayImage BoxPass(const GrayImage& in, int radius, bool horizontal) {
  GrayImage out(in.Width(), in.Height());
  const int w = in.Width(), h = in.Height();
  const float norm = 1.0f / float(2 * radius + 1);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      float sum = 0;
      for (int k = -radius; k <= radius; ++k) {
        const int sx = horizontal ? std::clamp(x + k, 0, w - 1) : x;
        const int sy = horizontal ? y : std::clamp(y + k, 0, h - 1);
        sum += in.At(sx, sy);
      }
      out.At(x, y) = sum * norm;
    }
  return out;
}

}  // namespace

GrayImage Blur(const GrayImage& source, int radius) {
  if (radius < 1) return source;
  GrayImage g = source;
  for (int pass = 0; pass < 2; ++pass) g = BoxPass(BoxPass(g, radius, true), radius, false);
  return g;
}
