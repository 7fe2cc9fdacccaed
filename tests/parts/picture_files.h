// The parts' GL tests: flat-colour show pictures made by cjpeg, and frames captured at 10 a second.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "archive/afile.h"
#include "archive/pack_image.h"

#include "runtime/clock.h"
#include "runtime/gl_setup.h"
#include "runtime/music.h"
#include "runtime/present.h"
#include "tests/support/gl_context.h"
#include "tests/support/png_picture.h"
#include "tests/support/rgb.h"

inline const Rgb kLoadingColour{240, 60, 0}, kInterludeColour{30, 200, 90}, kClosingColour{60, 90, 240};

// The bytes of a 64 x 48 JPEG of one colour, encoded by cjpeg; empty on failure.
inline std::string FlatJpeg(const Rgb& colour) {
  const auto dir = std::filesystem::temp_directory_path() / ("demo_parts_jpeg_" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  const auto ppm = dir / "flat.ppm", jpg = dir / "flat.jpg";
  {
    std::ofstream f(ppm, std::ios::binary);
    f << "P6\n64 48\n255\n";
    for (int i = 0; i < 64 * 48; ++i)
      for (int c : colour) f.put(static_cast<char>(c));
  }
  std::string bytes;
  if (std::system(("cjpeg -quality 95 -outfile " + jpg.string() + " " + ppm.string()).c_str()) == 0) {
    std::ifstream f(jpg, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
  }
  std::filesystem::remove_all(dir);
  return bytes;
}

// Adds the three show pictures, each of its own colour, to the archives; false without cjpeg.
inline bool AddShowPictures() {
  const std::vector<PackEntry> entries = {{"loading.jpg", FlatJpeg(kLoadingColour)},
                                          {"loading2.jpg", FlatJpeg(kInterludeColour)},
                                          {"the_end.jpg", FlatJpeg(kClosingColour)}};
  for (const auto& entry : entries)
    if (entry.bytes.empty()) return false;
  return AddPackImage(gArchives, entries);
}

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
