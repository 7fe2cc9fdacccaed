#include "imageio/image.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

using namespace imageio;

std::vector<uint8_t> BytesOf(const RGBA8* pixels, size_t count) {
  const uint8_t* p = reinterpret_cast<const uint8_t*>(pixels);
  return std::vector<uint8_t>(p, p + count * sizeof(RGBA8));
}

TEST(ImageModel, PixelTypesHaveNoPadding) {
  EXPECT_EQ(sizeof(RGBA8), 4u);
  EXPECT_EQ(sizeof(RGB8), 3u);
  EXPECT_EQ(sizeof(Grayscale8), 1u);
  EXPECT_EQ(sizeof(GrayscaleAlpha8), 2u);
  const RGBA8 p(1, 2, 3, 4);
  EXPECT_EQ(BytesOf(&p, 1), (std::vector<uint8_t>{3, 2, 1, 4}));
}

TEST(ImageModel, RgbaImageConvertsToItself) {
  ImageData<RGBA8> image(1, 1, new RGBA8[1]);
  EXPECT_EQ(image.toRGBA(), &image);
}

TEST(ImageModel, GreyConvertsWithAlphaZero) {
  ImageData<Grayscale8> grey(2, 1, new Grayscale8[2]{{10}, {200}});
  std::unique_ptr<Image> rgba(grey.toRGBA());
  ASSERT_NE(rgba.get(), &grey);
  EXPECT_EQ(BytesOf(static_cast<ImageData<RGBA8>*>(rgba.get())->data(), 2),
            (std::vector<uint8_t>{10, 10, 10, 0, 200, 200, 200, 0}));
}

TEST(ImageModel, GreyAlphaDropsItsAlpha) {
  ImageData<GrayscaleAlpha8> grey(1, 1, new GrayscaleAlpha8[1]{{50, 255}});
  std::unique_ptr<Image> rgba(grey.toRGBA());
  EXPECT_EQ(BytesOf(static_cast<ImageData<RGBA8>*>(rgba.get())->data(), 1), (std::vector<uint8_t>{50, 50, 50, 0}));
}

TEST(ImageModel, PaletteImageLooksUpEachIndex) {
  PaletteImage image(3, 1, new uint8_t[3]{2, 0, 2}, new RGB8[3]{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}});
  std::unique_ptr<Image> rgba(image.toRGBA());
  EXPECT_EQ(BytesOf(static_cast<ImageData<RGBA8>*>(rgba.get())->data(), 3),
            (std::vector<uint8_t>{9, 8, 7, 0, 3, 2, 1, 0, 9, 8, 7, 0}));
}

TEST(ImageModel, ResizingKeepsWhatFits) {
  ImageData<Grayscale8> image(4, 2, new Grayscale8[8]{{1}, {2}, {3}, {4}, {5}, {6}, {7}, {8}});
  image.setWidth(2);
  ASSERT_EQ(image.width(), 2);
  EXPECT_EQ(std::vector<int>({image.data()[0].value, image.data()[1].value, image.data()[2].value,
                              image.data()[3].value}),
            std::vector<int>({1, 2, 5, 6}));
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
