// Presenting a frame: the swap, the GL check, the frame observer and the PNG copies of --frames.
#include "runtime/present.h"

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <png.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "runtime/clock.h"
#include "runtime/gl_check.h"
#include "runtime/log.h"

namespace {

PictureArea gFrame;
const Supersampler* gSupersampler = nullptr;
std::string gCaptureDir;
std::function<bool()> gSkipFrameFiles;
long long gSkipped = 0;  // frames presented without a file: the file numbers leave them out
long long gPresented = 0;
FrameObserver* gObserver = nullptr;
void (*gKeep)() = nullptr;
const bool gSpoilBackBuffer = EnvironmentSwitch("DEMO_SPOIL_BACK_BUFFER");

// Loud where a frame is drawn over the back buffer instead of over its own.
void SpoilBackBuffer() {
  glPushAttrib(GL_COLOR_BUFFER_BIT | GL_SCISSOR_BIT);
  glDisable(GL_SCISSOR_TEST);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glClearColor(1.0f, 0.0f, 1.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glPopAttrib();
}

// The frame outside the picture is black whatever was drawn there.
void ClearBars(const PictureArea& p) {
  glPushAttrib(GL_COLOR_BUFFER_BIT | GL_SCISSOR_BIT);
  glEnable(GL_SCISSOR_TEST);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  // Left and right of the picture, then below and above it.
  const int bars[4][4] = {{0, 0, p.x, p.frame_height},
                          {p.x + p.width, 0, p.frame_width - p.x - p.width, p.frame_height},
                          {0, 0, p.frame_width, p.y},
                          {0, p.y + p.height, p.frame_width, p.frame_height - p.y - p.height}};
  for (const auto& bar : bars) {
    if (bar[2] <= 0 || bar[3] <= 0) continue;
    glScissor(bar[0], bar[1], bar[2], bar[3]);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  glPopAttrib();
}

bool WritePng(const std::string& path, int width, int height, const std::vector<unsigned char>& rgb_bottom_up) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, info ? &info : nullptr);
    std::fclose(f);
    return false;
  }
  png_init_io(png, f);
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = height - 1; y >= 0; --y)
    png_write_row(png, const_cast<png_bytep>(&rgb_bottom_up[static_cast<size_t>(y) * width * 3]));
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fclose(f) == 0;
}

}  // namespace

std::vector<unsigned char> ReadBackBuffer(int width, int height) {
  std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  // The buffer drawn into: the back buffer in a window, the only one in a
  // single-buffered offscreen context, where GL_BACK is an error.
  GLint drawn = GL_BACK;
  glGetIntegerv(GL_DRAW_BUFFER, &drawn);
  glReadBuffer(static_cast<GLenum>(drawn));
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

bool WriteBackBufferPng(const std::string& path, int width, int height) {
  return WritePng(path, width, height, ReadBackBuffer(width, height));
}

void PresentPicture(const PictureArea& frame, const Supersampler* supersampler) {
  gFrame = frame;
  gSupersampler = supersampler;
}

void SkipFrameFilesWhile(std::function<bool()> skip) { gSkipFrameFiles = std::move(skip); }

void InstallFrameObserver(FrameObserver* observer) { gObserver = observer; }

void KeepEachFrame(void (*keep)()) { gKeep = keep; }

bool CaptureFramesTo(const std::string& dir) {
  if (mkdir(dir.c_str(), 0777) != 0 && errno != EEXIST) return false;
  struct stat st;
  if (stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
  gCaptureDir = dir;
  return true;
}

void PresentFrame() {
  const PictureArea& drawn = gSupersampler ? gSupersampler->Drawn() : gFrame;
  if (!drawn.FillsFrame()) ClearBars(drawn);
  if (gSupersampler) gSupersampler->Reduce();
  if (gSkipFrameFiles && gSkipFrameFiles()) {
    ++gSkipped;
  } else if (!gCaptureDir.empty()) {
    char name[32];
    std::snprintf(name, sizeof name, "/frame%06lld.png", gPresented - gSkipped);
    if (!WriteBackBufferPng(gCaptureDir + name, gFrame.frame_width, gFrame.frame_height)) {
      std::fprintf(stderr, "cannot write %s%s; frame capture stopped\n", gCaptureDir.c_str(), name);
      gCaptureDir.clear();
    }
  }
  CheckFrameGLError(gPresented);
  if (gObserver) gObserver->FrameDrawn();
  if (gSupersampler) gSupersampler->Bind();
  if (gKeep) gKeep();
  SDL_GL_SwapBuffers();
  if (gSpoilBackBuffer) SpoilBackBuffer();
  if (gObserver) gObserver->FrameSwapped();
  ++gPresented;
  TheClock().FramePresented();
}

long long PresentedFrames() { return gPresented; }
