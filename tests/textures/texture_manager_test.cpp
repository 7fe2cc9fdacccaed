// The texture manager over images written by PIL and read back from GL.
#include "textures/texture_manager.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "archive/pack_image.h"
#include "runtime/fatal.h"
#include "tests/support/gl_context.h"

namespace {

// Runs a Python script with PIL; true when it succeeds.
bool Python(const std::string& script) {
  {
    std::ofstream out("texture_test.py");
    out << "from PIL import Image\n" << script;
  }
  return std::system("/usr/bin/python3 texture_test.py") == 0;
}

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// The pictures of the tests, with PIL's own decoding of each as raw bytes.
class TextureManagerTest : public GLContextTest {
 protected:
  static void SetUpTestSuite() {
    GLContextTest::SetUpTestSuite();
    ASSERT_TRUE(Python(
        "import random\n"
        "random.seed(7)\n"
        "rgb = Image.new('RGB', (5, 3))\n"
        "rgb.putdata([tuple(random.randrange(256) for _ in range(3)) for _ in range(15)])\n"
        "rgb.save('pic.png'); open('pic.raw', 'wb').write(rgb.tobytes())\n"
        "rgb.save('masked.png')\n"
        "mask = Image.new('L', (5, 3))\n"
        "mask.putdata([17 * i for i in range(15)])\n"
        "mask.save('masked.mask', format='PNG'); open('mask.raw', 'wb').write(mask.tobytes())\n"
        "Image.new('RGB', (2, 2), (9, 8, 7)).save('small.png')\n"
        "Image.new('L', (10, 10), 200).save('small.mask', format='PNG')\n"
        "Image.new('RGB', (16, 8), (200, 100, 50)).save('photo.jpg', quality=95)\n"));
    ASSERT_TRUE(AddPackImage(gArchives, {{"pic.png", Slurp("pic.png")},
                                         {"masked.png", Slurp("masked.png")},
                                         {"masked.mask", Slurp("masked.mask")},
                                         {"small.png", Slurp("small.png")},
                                         {"small.mask", Slurp("small.mask")},
                                         {"photo.jpg", Slurp("photo.jpg")},
                                         {"photo.JPG", Slurp("photo.jpg")},
                                         {"broken.png", "\x89PNG\r\n\x1a\n broken"},
                                         {"odd.gif", "GIF89a"}}));
  }
  static void TearDownTestSuite() {
    FreeArchives(gArchives);
    GLContextTest::TearDownTestSuite();
  }

  // The status that loading the file ends the program with, and its output.
  static int ExitStatusOf(const std::string& file, std::string* output) {
    const ExitHandler old = SetExitHandler([](int status) { throw status; });
    testing::internal::CaptureStdout();
    int status = 0;
    try {
      LoadImage(file);
    } catch (int s) {
      status = s;
    }
    *output = testing::internal::GetCapturedStdout();
    SetExitHandler(old);
    return status;
  }

  static std::vector<uint8_t> UploadedPixels(const TextureRef& ref, int level) {
    GLint w = 0;
    GLint h = 0;
    glBindTexture(GL_TEXTURE_2D, ref.id);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &h);
    std::vector<uint8_t> pixels(static_cast<size_t>(w) * h * 4);
    glGetTexImage(GL_TEXTURE_2D, level, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
  }
};

TEST_F(TextureManagerTest, PngPixelsMatchPilWithAlpha127) {
  TextureImage* image = GetImage("pic.png");
  ASSERT_EQ(image->width, 5);
  ASSERT_EQ(image->height, 3);
  EXPECT_STREQ(image->name, "pic.png");
  const std::string expected = Slurp("pic.raw");
  for (int i = 0; i < 15; ++i) {
    for (int c = 0; c < 3; ++c) EXPECT_EQ(image->pixels[4 * i + c], static_cast<uint8_t>(expected[3 * i + c]));
    EXPECT_EQ(image->pixels[4 * i + 3], 127);
  }
  EXPECT_EQ(GetImage("pic.png"), image);
}

TEST_F(TextureManagerTest, MaskGivesTheAlpha) {
  TextureImage* image = GetImage("masked.png");
  const std::string mask = Slurp("mask.raw");
  for (int i = 0; i < 15; ++i) EXPECT_EQ(image->pixels[4 * i + 3], static_cast<uint8_t>(mask[i]));
}

TEST_F(TextureManagerTest, LargerMaskStopsAtTheImagePixels) {
  TextureImage* image = GetImage("small.png");
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(image->pixels[4 * i + 0], 9);
    EXPECT_EQ(image->pixels[4 * i + 3], 200);
  }
}

TEST_F(TextureManagerTest, MissingFileGivesThePatternSilently) {
  testing::internal::CaptureStdout();
  TextureImage* image = GetImage("nowhere.jpg");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(image, GetImage("default"));
  ASSERT_EQ(image->width, 64);
  ASSERT_EQ(image->height, 64);
  EXPECT_STREQ(image->name, "default");
  const int i = 1000;
  EXPECT_EQ(image->pixels[4 * i + 0], static_cast<uint8_t>(i / 2));
  EXPECT_EQ(image->pixels[4 * i + 1], static_cast<uint8_t>(i / 4));
  EXPECT_EQ(image->pixels[4 * i + 2], static_cast<uint8_t>(i / 8));
  EXPECT_EQ(image->pixels[4 * i + 3], static_cast<uint8_t>(i));
}

TEST_F(TextureManagerTest, DefaultInCapitalsIsTheBuiltInPattern) {
  TextureImage* image = GetImage("DEFAULT");
  EXPECT_STREQ(image->name, "default");
  EXPECT_EQ(image->width, 64);
  EXPECT_EQ(image->pixels[4 * 4095 + 3], 255);
}

TEST_F(TextureManagerTest, CapitalExtensionIsUnsupported) {
  std::string output;
  EXPECT_EQ(ExitStatusOf("photo.JPG", &output), 1);
  EXPECT_EQ(output, "Unsupported image format '.JPG' !!\n");
  EXPECT_EQ(ExitStatusOf("odd.gif", &output), 1);
  EXPECT_EQ(output, "Unsupported image format '.gif' !!\n");
}

TEST_F(TextureManagerTest, UndecodableFileEndsTheProgram) {
  std::string output;
  EXPECT_EQ(ExitStatusOf("broken.png", &output), 1);
  EXPECT_EQ(output.rfind("'broken.png' Load Unsuccesful !!\nerror: ", 0), 0u) << output;
}

TEST_F(TextureManagerTest, TexturesShareOneGLObjectPerImageWithinAManager) {
  TextureManager first;
  TextureManager second;
  TextureRef* a = first.GetTexture("A", "photo.jpg");
  EXPECT_EQ(first.GetTexture("A", "pic.png"), a);  // the image name is then ignored
  EXPECT_EQ(first.GetTexture("B", "photo.jpg"), a);
  TextureRef* other = second.GetTexture("A", "photo.jpg");
  EXPECT_NE(other, a);
  EXPECT_NE(other->id, a->id);
  EXPECT_EQ(other->image, a->image);
  EXPECT_NE(first.GetTexture("C", "pic.png"), a);
  EXPECT_EQ(GetTexture("shared", "photo.jpg"), SharedTextureManager().GetTexture("shared", "x.png"));
}

TEST_F(TextureManagerTest, UploadKeepsThePixelsAndBuildsMipmaps) {
  TextureManager manager;
  glMaterialfv(GL_FRONT, GL_DIFFUSE, std::vector<GLfloat>{0.1f, 0.2f, 0.3f, 0.4f}.data());
  TextureRef* ref = manager.GetTexture("pattern", "default");
  TextureImage* image = ref->image;
  EXPECT_EQ(UploadedPixels(*ref, 0), std::vector<uint8_t>(image->pixels, image->pixels + 64 * 64 * 4));
  EXPECT_EQ(UploadedPixels(*ref, 6).size(), 4u);  // the 1 x 1 level
  GLint filter = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
  EXPECT_EQ(filter, GL_LINEAR_MIPMAP_NEAREST);
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
  const std::string listing = testing::internal::GetCapturedStdout();
  char expected[200];
  std::snprintf(expected, sizeof expected, "TEXTURE BINDINGS:\n  #1: wall -> (ID:%u, (w: 5, h: 3, data: %ld, name: pic.png))\n",
                ref->id, static_cast<long>(reinterpret_cast<intptr_t>(ref->image->pixels)));
  EXPECT_EQ(listing, expected);
  testing::internal::CaptureStdout();
  PrintImageBindings();
  const std::string images = testing::internal::GetCapturedStdout();
  EXPECT_EQ(images.rfind("IMAGE BINDINGS: \n  #1: ", 0), 0u);
  EXPECT_NE(images.find(": pic.png -> (w: 5, h: 3, data: "), std::string::npos);
}

}  // namespace
