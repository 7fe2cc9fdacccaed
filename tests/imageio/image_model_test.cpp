// The image model: RGBA conversion, resizing and released pixels.
#include "imageio/image.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace imageio;
using Bytes = std::vector<uint8_t>;

static_assert(sizeof(RGBA8) == 4 && sizeof(RGB8) == 3 && sizeof(Grayscale8) == 1 && sizeof(GrayscaleAlpha8) == 2);

Bytes BytesOf(const RGBA8* pixels, size_t count) {
  const uint8_t* p = reinterpret_cast<const uint8_t*>(pixels);
  return Bytes(p, p + count * sizeof(RGBA8));
}

// The pixels of a converted copy.
Bytes Converted(Image& image) {
  std::unique_ptr<Image> rgba(image.toRGBA());
  EXPECT_NE(rgba.get(), &image);
  return BytesOf(static_cast<ImageData<RGBA8>*>(rgba.get())->data(), image.width() * image.height());
}

TEST(ImageModel, ToRgbaIsBlueFirstWithAlphaZero) {
  const RGBA8 p(1, 2, 3, 4);
  EXPECT_EQ(BytesOf(&p, 1), (Bytes{3, 2, 1, 4}));
  ImageData<RGBA8> rgba(1, 1, new RGBA8[1]);
  EXPECT_EQ(rgba.toRGBA(), &rgba);
  ImageData<Grayscale8> grey(2, 1, new Grayscale8[2]{{10}, {200}});
  EXPECT_EQ(Converted(grey), (Bytes{10, 10, 10, 0, 200, 200, 200, 0}));
  ImageData<GrayscaleAlpha8> grey_alpha(1, 1, new GrayscaleAlpha8[1]{{50, 255}});
  EXPECT_EQ(Converted(grey_alpha), (Bytes{50, 50, 50, 0}));
  PaletteImage indexed(3, 1, new uint8_t[3]{2, 0, 2}, new RGB8[3]{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}});
  EXPECT_EQ(Converted(indexed), (Bytes{9, 8, 7, 0, 3, 2, 1, 0, 9, 8, 7, 0}));
}

TEST(ImageModel, ResizingKeepsWhatFits) {
  ImageData<Grayscale8> image(4, 2, new Grayscale8[8]{{1}, {2}, {3}, {4}, {5}, {6}, {7}, {8}});
  image.setWidth(2);
  ASSERT_EQ(image.width(), 2);
  const Grayscale8* p = image.data();
  EXPECT_EQ(std::vector<int>({p[0].value, p[1].value, p[2].value, p[3].value}), std::vector<int>({1, 2, 5, 6}));
  image.setHeight(1);
  EXPECT_EQ(image.height(), 1);
  EXPECT_EQ(image.data()[1].value, 2);
  image.setWidth(3);
  EXPECT_EQ(image.data()[2].value, 0);  // new pixels are zero
}

TEST(ImageModel, ReleasedPixelsOutliveTheImage) {
  auto* image = new ImageData<RGBA8>(1, 1, new RGBA8[1]{RGBA8(1, 2, 3, 4)});
  RGBA8* pixels = image->releaseData();
  delete static_cast<Image*>(image);
  EXPECT_EQ(pixels[0].red, 1);
  delete[] pixels;
}

}  // namespace
