#include "runtime/present.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "runtime/clock.h"
#include "tests/support/gl_context.h"
#include "tests/support/png_picture.h"

namespace {

class Present : public GLContextTest {};

TEST_F(Present, CapturedFramesAreNumberedRgbPngsTopRowFirst) {
  const auto dir = std::filesystem::temp_directory_path() / "demo_present_test";
  std::filesystem::remove_all(dir);
  ASSERT_TRUE(CaptureFramesTo(dir.string()));
  InstallClock(std::make_unique<FixedStepClock>(25));

  glDisable(GL_SCISSOR_TEST);
  glClearColor(0, 0, 1, 0);
  glClear(GL_COLOR_BUFFER_BIT);
  glEnable(GL_SCISSOR_TEST);  // bottom 10 rows red
  glScissor(0, 0, 640, 10);
  glClearColor(1, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT);
  glDisable(GL_SCISSOR_TEST);
  const long long before = PresentedFrames();
  PresentFrame();
  PresentFrame();
  EXPECT_EQ(PresentedFrames(), before + 2);
  EXPECT_DOUBLE_EQ(TheClock().Read(), 2 / 25.0) << "every presented frame advances the clock";

  auto frame = [&](long long n) {
    char name[32];
    std::snprintf(name, sizeof name, "frame%06lld.png", n);
    return dir / name;
  };
  const PngPicture png = ReadPngPicture(frame(before).string());
  ASSERT_EQ(png.width, 640u);
  ASSERT_EQ(png.height, 480u);
  EXPECT_EQ(png.format, static_cast<png_uint_32>(PNG_FORMAT_RGB)) << "8-bit RGB, no alpha";
  EXPECT_EQ(png.At(0, 0), (std::array<int, 3>{0, 0, 255}));
  EXPECT_EQ(png.At(0, 479), (std::array<int, 3>{255, 0, 0}));
  EXPECT_TRUE(std::filesystem::exists(frame(before + 1)));

  InstallClock(std::make_unique<RealTimeClock>());
  std::filesystem::remove_all(dir);
  EXPECT_FALSE(CaptureFramesTo("/proc/no/such/folder"));
}

}  // namespace

