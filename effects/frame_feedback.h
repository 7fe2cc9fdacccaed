// Frame trails: the previous frame blended over the current one with a
// constant opacity, then the result captured for the next frame.
#pragma once

class FrameFeedback {
 public:
  // Frame count 0, opacity 0.75, then Create.
  FrameFeedback();

  // Makes the capture texture, shared by every FrameFeedback, once the
  // blend-colour entry point exists; does nothing before or after that.
  void Create();

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
  // Blends and captures as a later Draw does, for the driver to prepare both
  // while nothing is shown; the frame count, and so the next Draw, is as it
  // was.
  void WarmUp(float opacity);

 private:
  int frame_count_ = 0;
  float opacity_ = 0.75f;
};

// The trails of every part; main creates its texture after the GL set-up.
extern FrameFeedback gFrameFeedback;
