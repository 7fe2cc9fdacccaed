// The texture manager: pixels and masks, the default pattern, fatal decode failures, shared GL objects.
#include "textures/texture_manager.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "archive/pack_image.h"
#include "runtime/fatal.h"
#include "tests/support/gl_context.h"

namespace {

std::string Slurp(const std::string& path) {
  std::stringstream bytes;
  bytes << std::ifstream(path, std::ios::binary).rdbuf();
  return bytes.str();
}

// Test pictures written by PIL: pixel i of pic.png is (17i, 255 - 17i, 7i), of its mask 255 - 11i.
class TextureManagerTest : public GLContextTest {
 protected:
  static void SetUpTestSuite() {
    GLContextTest::SetUpTestSuite();
    std::ofstream("texture_test.py") << "from PIL import Image\n"
        "rgb = Image.new('RGB', (5, 3)); rgb.putdata([(17 * i, 255 - 17 * i, 7 * i) for i in range(15)])\n"
        "rgb.save('pic.png'); rgb.save('masked.png')\n"
        "mask = Image.new('L', (5, 3)); mask.putdata([255 - 11 * i for i in range(15)])\n"
        "mask.save('masked.mask', format='PNG')\n"
        "Image.new('RGB', (2, 2), (9, 8, 7)).save('small.png')\n"
        "Image.new('L', (10, 10), 200).save('small.mask', format='PNG')\n";
    ASSERT_EQ(std::system("/usr/bin/python3 texture_test.py"), 0) << "PIL is needed for this test";
    std::vector<PackEntry> entries = {{"photo.JPG", Slurp("pic.png")}, {"broken.png", "\x89PNG\r\n\x1a\n broken"}};
    for (const char* name : {"pic.png", "masked.png", "masked.mask", "small.png", "small.mask"})
      entries.push_back({name, Slurp(name)});
    ASSERT_TRUE(AddPackImage(gArchives, entries));
  }
  static void TearDownTestSuite() {
    FreeArchives(gArchives);
    GLContextTest::TearDownTestSuite();
  }

  static std::vector<uint8_t> UploadedPixels(const TextureRef& ref, int level) {
    GLint w = 0, h = 0;
    glBindTexture(GL_TEXTURE_2D, ref.id);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &h);
    std::vector<uint8_t> pixels(static_cast<size_t>(w) * h * 4);
    glGetTexImage(GL_TEXTURE_2D, level, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
  }
};

TEST_F(TextureManagerTest, PixelsMatchWithAlphaFromTheMaskOr127) {
  TextureImage* image = GetImage("pic.png");
  ASSERT_EQ(image->width, 5);
  ASSERT_EQ(image->height, 3);
  TextureImage* masked = GetImage("masked.png");
  for (int i = 0; i < 15; ++i) {
    EXPECT_EQ(std::vector<int>(image->pixels + 4 * i, image->pixels + 4 * i + 4),
              (std::vector<int>{17 * i, 255 - 17 * i, 7 * i, 127}));
    EXPECT_EQ(masked->pixels[4 * i + 3], 255 - 11 * i);
  }
  EXPECT_EQ(GetImage("pic.png"), image);
  TextureImage* small = GetImage("small.png");  // its mask is larger: only the image's pixels are read
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(small->pixels[4 * i + 0], 9);
    EXPECT_EQ(small->pixels[4 * i + 3], 200);
  }
}

TEST_F(TextureManagerTest, MissingFileOrDefaultInAnyCaseGivesThePatternSilently) {
  testing::internal::CaptureStdout();
  TextureImage* image = GetImage("nowhere.jpg");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(image, GetImage("default"));
  ASSERT_EQ(image->width, 64);
  ASSERT_EQ(image->height, 64);
  EXPECT_STREQ(image->name, "default");
  for (int c = 0; c < 4; ++c) EXPECT_EQ(image->pixels[4 * 1000 + c], static_cast<uint8_t>(1000 >> (c + 1) % 4)) << c;
  TextureImage* capitals = GetImage("DEFAULT");
  EXPECT_STREQ(capitals->name, "default");
  EXPECT_EQ(capitals->width, 64);
  EXPECT_EQ(capitals->pixels[4 * 4095 + 3], 255);
}

TEST_F(TextureManagerTest, UnsupportedOrUndecodableFileEndsTheProgram) {
  const ExitHandler old = SetExitHandler([](int status) { throw status; });
  for (const auto& [file, message] : {std::pair{"photo.JPG", "Unsupported image format '.JPG' !!\n"},
                                      {"broken.png", "'broken.png' Load Unsuccesful !!\nerror: "}}) {
    testing::internal::CaptureStdout();
    int status = 0;
    try {
      LoadImage(file);
    } catch (int s) {
      status = s;
    }
    const std::string output = testing::internal::GetCapturedStdout();
    EXPECT_EQ(status, 1) << file;
    EXPECT_EQ(std::string(file) == "photo.JPG" ? output : output.substr(0, std::strlen(message)), message);
  }
  SetExitHandler(old);
}

TEST_F(TextureManagerTest, TexturesShareOneGLObjectPerImageWithinAManager) {
  TextureManager first, second;
  TextureRef* a = first.GetTexture("A", "small.png");
  EXPECT_EQ(first.GetTexture("A", "pic.png"), a);  // the image name is then ignored
  EXPECT_EQ(first.GetTexture("B", "small.png"), a);
  TextureRef* other = second.GetTexture("A", "small.png");
  EXPECT_NE(other, a);
  EXPECT_NE(other->id, a->id);
  EXPECT_EQ(other->image, a->image);
  EXPECT_NE(first.GetTexture("C", "pic.png"), a);
  EXPECT_EQ(GetTexture("shared", "small.png"), SharedTextureManager().GetTexture("shared", "x.png"));
}

TEST_F(TextureManagerTest, UploadKeepsThePixelsAndBuildsMipmaps) {
  TextureManager manager;
  glMaterialfv(GL_FRONT, GL_DIFFUSE, std::vector<GLfloat>{0.1f, 0.2f, 0.3f, 0.4f}.data());
  TextureRef* ref = manager.GetTexture("pattern", "default");
  EXPECT_EQ(UploadedPixels(*ref, 0), std::vector<uint8_t>(ref->image->pixels, ref->image->pixels + 64 * 64 * 4));
  EXPECT_EQ(UploadedPixels(*ref, 6).size(), 4u);  // the 1 x 1 level
  GLfloat diffuse[4];
  glGetMaterialfv(GL_BACK, GL_DIFFUSE, diffuse);
  EXPECT_EQ(diffuse[0], 1.0f);
  EXPECT_EQ(diffuse[3], 1.0f);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureManagerTest, ListingsNameEveryBinding) {
  TextureManager manager;
  TextureRef* ref = manager.GetTexture("wall", "pic.png");
  testing::internal::CaptureStdout();
  PrintTextureBindings(manager);
  char expected[200];
  std::snprintf(expected, sizeof expected, "TEXTURE BINDINGS:\n  #1: wall -> (ID:%u, (w: 5, h: 3, data: %ld, name: pic.png))\n",
                ref->id, static_cast<long>(reinterpret_cast<intptr_t>(ref->image->pixels)));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), expected);
  testing::internal::CaptureStdout();
  PrintImageBindings();
  const std::string images = testing::internal::GetCapturedStdout();
  EXPECT_EQ(images.rfind("IMAGE BINDINGS: \n  #1: ", 0), 0u);
  EXPECT_NE(images.find(": pic.png -> (w: 5, h: 3, data: "), std::string::npos);
}

}  // namespace
