// Float images for procedural art: colour and grey layers, tileable noise
// and the few compositing operations the recipes share.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct Colour {
  float r = 0, g = 0, b = 0;
};
Colour Mix(Colour a, Colour b, float t);
Colour Scale(Colour c, float s);

// Colour image, row 0 at the top; channels nominally 0..1.
class RgbImage {
 public:
  RgbImage(int width, int height, Colour fill = {});
  int Width() const { return width_; }
  int Height() const { return height_; }
  Colour& At(int x, int y) { return pixels_[size_t(y) * width_ + x]; }
  const Colour& At(int x, int y) const { return pixels_[size_t(y) * width_ + x]; }

 private:
  int width_, height_;
  std::vector<Colour> pixels_;
};

// Grey image, 0..1, row 0 at the top.
class GrayImage {
 public:
  GrayImage(int width, int height, float fill = 0);
  int Width() const { return width_; }
  int Height() const { return height_; }
  float& At(int x, int y) { return pixels_[size_t(y) * width_ + x]; }
  float At(int x, int y) const { return pixels_[size_t(y) * width_ + x]; }

 private:
  int width_, height_;
  std::vector<float> pixels_;
};

// An image whose every pixel is shade(u, v), u and v from 0 at the top left.
template <typename Shade>
RgbImage ShadeImage(int width, int height, Shade shade) {
  RgbImage image(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.At(x, y) = shade(float(x) / float(width), float(y) / float(height));
  return image;
}

// Smooth value noise in 0..1 that repeats every `period` lattice cells.
float TileNoise(float x, float y, int period, uint32_t seed);
// Sum of `octaves` noise layers, each twice as fine and half as strong; 0..1.
// Repeats every `period` cells of the coarsest layer.
float Fbm(float x, float y, int period, int octaves, uint32_t seed);
// Deterministic hash of a lattice point to 0..1.
float Hash01(int x, int y, uint32_t seed);

// Blends `colour` into the image with per-pixel weight coverage x opacity.
void Paint(RgbImage& image, const GrayImage& coverage, Colour colour, float opacity);
// Box blur of the given radius, applied twice (close to a Gaussian).
GrayImage Blur(const GrayImage& source, int radius);
