// Frame trails: the previous frame blended over the current one with a
// constant opacity, then the result captured for the next frame.
#pragma once

#include "runtime/picture_area.h"

class FrameFeedback {
 public:
  // Frame count 0, opacity 0.75, then Create.
  FrameFeedback();

  // Makes the capture texture, shared by every FrameFeedback, once the
  // blend-colour entry point exists; does nothing before or after that.
  // The texture holds `picture` (the 640x480 window unless given).
  void Create(const PictureArea& picture = PictureArea());

  // Stores the opacity clamped to 0..1 and returns it.
  float SetOpacity(float opacity);
  float Opacity() const { return opacity_; }
  int FrameCount() const { return frame_count_; }

  // Copies the frame into the capture texture.
  void Capture();
  // The last drawing of a frame: from the second call on, blends the previous
  // frame over this one with `opacity`; then captures the result. Does
  // nothing without the capture texture.
  void Draw(float opacity);
  void Draw() { Draw(opacity_); }
  // Blends the captured frame over this one as a later Draw does, for the
  // driver to prepare that while nothing is shown; captures nothing, so the
  // texture and the frame count, and with them the next Draw, are as they
  // were.
  void WarmUp(float opacity);
  // The next Draw only captures, as the first one does: a new part's first
  // frame shows nothing of the frames before it.
  void Restart() { frame_count_ = 0; }

 private:
  int frame_count_ = 0;
  float opacity_ = 0.75f;
};

// The trails of every part, made before main; main creates its texture after
// the GL set-up, and only the scene parts draw and restart it.
extern FrameFeedback gFrameFeedback;
