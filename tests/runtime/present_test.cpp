#include "runtime/present.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <filesystem>
#include <vector>

#include "tests/support/gl_context.h"
#include "tests/support/png_picture.h"
#include "runtime/clock.h"

namespace {

class Present : public GLContextTest {};

TEST_F(Present, CapturedFramesAreNumberedRgbPngsTopRowFirst) {
  const auto dir = std::filesystem::temp_directory_path() / "demo_present_test";
  std::filesystem::remove_all(dir);
  ASSERT_TRUE(CaptureFramesTo(dir.string()));
  auto clock = std::make_unique<FixedStepClock>(25);
  FixedStepClock* fixed = clock.get();
  InstallClock(std::move(clock));

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
  EXPECT_DOUBLE_EQ(fixed->Read(), 2 / 25.0) << "every presented frame advances the clock";

  char name[32];
  std::snprintf(name, sizeof name, "frame%06lld.png", before);
  const PngPicture png = ReadPngPicture((dir / name).string());
  ASSERT_EQ(png.width, 640u);
  ASSERT_EQ(png.height, 480u);
  EXPECT_EQ(png.format, static_cast<png_uint_32>(PNG_FORMAT_RGB)) << "8-bit RGB, no alpha";
  const unsigned char* top = &png.rgb[0];
  const unsigned char* bottom = &png.rgb[479 * 640 * 3];
  EXPECT_EQ(top[0], 0);
  EXPECT_EQ(top[2], 255);
  EXPECT_EQ(bottom[0], 255);
  EXPECT_EQ(bottom[2], 0);
  std::snprintf(name, sizeof name, "frame%06lld.png", before + 1);
  EXPECT_TRUE(std::filesystem::exists(dir / name));

  InstallClock(std::make_unique<RealTimeClock>());
  std::filesystem::remove_all(dir);
}

TEST_F(Present, RefusesAFolderThatCannotBeMade) {
  EXPECT_FALSE(CaptureFramesTo("/proc/no/such/folder"));
}

}  // namespace
