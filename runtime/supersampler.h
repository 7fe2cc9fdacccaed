// Smooth edges without multisampling: the show draws into an offscreen
// buffer a whole number of times the frame's size, which each presented frame
// reduces into the window by averaging blocks of pixels.
#pragma once

#include <string>

#include "runtime/picture_area.h"

class Supersampler {
 public:
  // The factor per side that gives at least `samples` samples per pixel: 2
  // (4 samples) or 4 (16).
  static int FactorFor(int samples);

  // Makes a buffer `factor` times `frame` per side, with depth and stencil,
  // and draws and reads there from now on. Needs a current context with
  // framebuffer objects; false, with the reason in *error and nothing bound,
  // where the driver cannot.
  bool Begin(const PictureArea& frame, int factor, std::string* error);
  // What the show draws in: `frame` scaled by the factor.
  const PictureArea& Drawn() const { return drawn_; }
  // Reduces the drawn frame into the window's back buffer and leaves the
  // window bound, for reading the frame and swapping.
  void Reduce() const;
  // Draws and reads in the offscreen buffer again.
  void Bind() const;

 private:
  PictureArea drawn_;
  int factor_ = 1;
  // Framebuffers from the drawn size down, halving each side: [0] is drawn
  // in; the last (before the window) is half the drawn size once per step.
  unsigned buffers_[3] = {0, 0, 0};
  int steps_ = 0;
};
