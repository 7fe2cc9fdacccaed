// Drawing at a multiple of the frame's size and halving it into the window with linear blits.
#include "runtime/supersampler.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <SDL/SDL.h>

namespace {

// Framebuffer entry points, looked up by Begin.
PFNGLGENFRAMEBUFFERSPROC gGenFramebuffers;
PFNGLBINDFRAMEBUFFERPROC gBindFramebuffer;
PFNGLGENRENDERBUFFERSPROC gGenRenderbuffers;
PFNGLBINDRENDERBUFFERPROC gBindRenderbuffer;
PFNGLRENDERBUFFERSTORAGEPROC gRenderbufferStorage;
PFNGLFRAMEBUFFERRENDERBUFFERPROC gFramebufferRenderbuffer;
PFNGLCHECKFRAMEBUFFERSTATUSPROC gCheckFramebufferStatus;
PFNGLBLITFRAMEBUFFERPROC gBlitFramebuffer;

template <typename Proc>
bool Load(Proc* proc, const char* name) {
  *proc = reinterpret_cast<Proc>(SDL_GL_GetProcAddress(name));
  return *proc != nullptr;
}

bool LoadFramebufferEntryPoints() {
  return Load(&gGenFramebuffers, "glGenFramebuffers") && Load(&gBindFramebuffer, "glBindFramebuffer") &&
         Load(&gGenRenderbuffers, "glGenRenderbuffers") && Load(&gBindRenderbuffer, "glBindRenderbuffer") &&
         Load(&gRenderbufferStorage, "glRenderbufferStorage") &&
         Load(&gFramebufferRenderbuffer, "glFramebufferRenderbuffer") &&
         Load(&gCheckFramebufferStatus, "glCheckFramebufferStatus") && Load(&gBlitFramebuffer, "glBlitFramebuffer");
}

// A width x height framebuffer with a colour renderbuffer, and a depth and
// stencil one when asked; left bound.
GLuint MakeFramebuffer(int width, int height, bool depth_stencil) {
  GLuint framebuffer = 0, colour = 0, depth = 0;
  gGenFramebuffers(1, &framebuffer);
  gBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
  gGenRenderbuffers(1, &colour);
  gBindRenderbuffer(GL_RENDERBUFFER, colour);
  gRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
  gFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
  if (depth_stencil) {
    gGenRenderbuffers(1, &depth);
    gBindRenderbuffer(GL_RENDERBUFFER, depth);
    gRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
    gFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, depth);
  }
  return framebuffer;
}

}  // namespace

int Supersampler::FactorFor(int samples) { return samples <= 4 ? 2 : 4; }

bool Supersampler::Begin(const PictureArea& frame, int factor, std::string* error) {
  if (!LoadFramebufferEntryPoints()) {
    *error = "the driver has no framebuffer objects";
    return false;
  }
  GLint largest = 0;
  glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &largest);
  const int width = frame.frame_width * factor, height = frame.frame_height * factor;
  if (width > largest || height > largest) {
    *error = "the driver draws offscreen at most " + std::to_string(largest) + " pixels a side";
    return false;
  }
  factor_ = factor;
  drawn_ = PictureArea::Centred(width, height);
  // Halving steps: the last halving goes into the window itself.
  for (int side = factor; side > 1; side /= 2, ++steps_)
    buffers_[steps_] = MakeFramebuffer(frame.frame_width * side, frame.frame_height * side, steps_ == 0);
  bool complete = true;
  for (int i = 0; i < steps_; ++i) {
    gBindFramebuffer(GL_FRAMEBUFFER, buffers_[i]);
    complete = complete && gCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
  }
  if (!complete) {
    gBindFramebuffer(GL_FRAMEBUFFER, 0);
    *error = "the driver cannot draw offscreen at " + drawn_.FrameSize();
    return false;
  }
  Bind();
  return true;
}

void Supersampler::Reduce() const {
  // A linear blit to half the size samples each target pixel between four
  // source pixels: the mean of a 2x2 block.
  glPushAttrib(GL_SCISSOR_BIT);
  glDisable(GL_SCISSOR_TEST);
  int width = drawn_.frame_width, height = drawn_.frame_height;
  for (int i = 0; i < steps_; ++i) {
    gBindFramebuffer(GL_READ_FRAMEBUFFER, buffers_[i]);
    gBindFramebuffer(GL_DRAW_FRAMEBUFFER, i + 1 < steps_ ? buffers_[i + 1] : 0);
    gBlitFramebuffer(0, 0, width, height, 0, 0, width / 2, height / 2, GL_COLOR_BUFFER_BIT, GL_LINEAR);
    width /= 2;
    height /= 2;
  }
  gBindFramebuffer(GL_FRAMEBUFFER, 0);
  glPopAttrib();
}

void Supersampler::Bind() const { gBindFramebuffer(GL_FRAMEBUFFER, buffers_[0]); }
