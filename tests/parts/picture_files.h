// The parts' GL tests: flat-colour show pictures made by cjpeg, and frames captured at 10 a second.
#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>

#include "runtime/clock.h"
#include "runtime/gl_setup.h"
#include "runtime/music.h"
#include "runtime/present.h"
#include "tests/support/gl_context.h"
#include "tests/support/png_picture.h"
#include "tests/support/rgb.h"

extern const Rgb kLoadingColour, kInterludeColour, kClosingColour;

// Adds the three show pictures, each of its own colour, to the archives; false without cjpeg.
bool AddShowPictures();

class PicturesTest : public GLContextTest {
 protected:
  static void SetUpTestSuite() {
    GLContextTest::SetUpTestSuite();
    SetupOpenGL(640, 480);
    SetSoundEnabled(false);
    ASSERT_TRUE(AddShowPictures()) << "cjpeg is needed for this test";
  }
  void SetUp() override {
    std::filesystem::remove_all(dir_);
    ASSERT_TRUE(CaptureFramesTo(dir_.string()));
    InstallClock(std::make_unique<FixedStepClock>(10));
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  // The pixel at (x, y) from the top left of captured frame n; {-1, -1, -1} when unreadable.
  Rgb Pixel(long long n, int x, int y) const {
    char name[32];
    std::snprintf(name, sizeof name, "frame%06lld.png", n);
    const PngPicture png = ReadPngPicture((dir_ / name).string());
    if (x < 0 || y < 0 || unsigned(x) >= png.width || unsigned(y) >= png.height) return {-1, -1, -1};
    return png.At(x, y);
  }

  const std::filesystem::path dir_ = std::filesystem::temp_directory_path() / "demo_parts_frames";
};
