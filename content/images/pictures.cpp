// The three 640 x 480 pictures: title with "loading", the interlude card and
// the end card with credits.
#include <algorithm>
#include <cmath>
#include <string>

#include "content/images/images.h"
#include "content/images/palette.h"
#include "tools/content/text_raster.h"

namespace {

constexpr int kW = 640, kH = 480;

// Evening sky over a dark ridge; `machine` raises a row of towers and
// chimneys on the ridge, and `night` darkens the sky.
RgbImage Backdrop(bool machine, float night) {
  RgbImage image(kW, kH);
  const float sun_x = 0.62f * kW, sun_y = 0.60f * kH;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      const float v = float(y) / kH;
      Colour c = v < 0.4f ? Mix(palette::kDuskViolet, palette::kRose, v / 0.4f)
                          : Mix(palette::kRose, palette::kFog, std::min(1.0f, (v - 0.4f) / 0.3f));
      // A round sun in a glow wider than tall, as in haze.
      const float d = std::hypot(x - sun_x, y - sun_y) / kH, haze = std::hypot((x - sun_x) * 0.8f, y - sun_y) / kH;
      c = Mix(c, Colour{1.0f, 0.80f, 0.45f}, std::min(1.0f, std::exp(-haze * 8) * 0.9f));
      if (d < 0.05f) c = palette::kSunCore;
      image.At(x, y) = Scale(c, 1 - night);
    }
  for (int x = 0; x < kW; ++x) {
    const float u = float(x) / kW;
    int ridge = int(kH * (0.70f + 0.08f * (Fbm(u * 4, 0.5f, 4, 4, 151) - 0.5f) * 2));
    if (machine && Hash01(x / 24, 0, 152) > 0.55f)
      ridge -= int(20 + 90 * Hash01(x / 24, 1, 152));  // towers in 24-pixel columns
    if (machine && x % 96 > 40 && x % 96 < 48) ridge -= 140;  // chimneys
    for (int y = std::max(0, ridge); y < kH; ++y) {
      const float depth = float(y - ridge) / kH;
      image.At(x, y) = Mix(Colour{0.10f, 0.05f, 0.08f}, Colour{0.02f, 0.02f, 0.04f}, std::min(1.0f, depth * 4));
    }
  }
  return image;
}

// Draws the text centred on x with a glow of `glow` colour behind it.
void Title(RgbImage& image, const Font& font, const std::string& text, int baseline, Colour colour, Colour glow) {
  GrayImage layer(kW, kH);
  font.Draw(layer, text, (kW - font.Width(text)) / 2, baseline);
  Paint(image, Blur(layer, 6), glow, 1.4f);
  Paint(image, layer, colour, 1.0f);
}

}  // namespace

void AddPictures(AssetSet& assets) {
  const Font title(DejaVuFont("DejaVuSerif-Bold.ttf"), 72);
  const Font label(DejaVuFont("DejaVuSans.ttf"), 22);
  const Font small(DejaVuFont("DejaVuSans.ttf"), 18);
  const Colour cream{1.0f, 0.93f, 0.80f}, ember{1.0f, 0.45f, 0.10f}, blue{0.30f, 0.60f, 1.0f};

  RgbImage loading = Backdrop(false, 0.0f);
  Title(loading, title, "Dusk Machine", 200, cream, ember);
  Title(loading, label, "loading", 420, cream, ember);
  assets.AddTexture("loading.jpg", loading);

  RgbImage interlude = Backdrop(true, 0.35f);
  Title(interlude, title, "Dusk Machine", 150, Colour{0.85f, 0.92f, 1.0f}, blue);
  Title(interlude, label, "the sun goes down, the engines wake", 220, cream, blue);
  assets.AddTexture("loading2.jpg", interlude);

  RgbImage end = Backdrop(true, 0.6f);
  Title(end, title, "the end", 130, cream, ember);
  const char* credits[] = {"Dusk Machine", "engine and effects: the demo-engine team",
                           "music: synthesized by our own code", "scenes and textures: built from recipes",
                           "thanks for watching"};
  int baseline = 205;
  for (const char* line : credits) {
    Title(end, small, line, baseline, cream, ember);
    baseline += 34;
  }
  assets.AddTexture("the_end.jpg", end);
}
