// A flat colour over the whole window, blended with a constant opacity; and a
// captured frame cross-faded over the window.
#pragma once

#include "runtime/picture_area.h"

#include "maths/vec.h"

class ScreenFade {
 public:
  // Creates the capture texture only; colour and opacity stay zero.
  ScreenFade();
  // A fade of this colour with opacity 0 and no texture: (1, 1, 1) is white.
  ScreenFade(float red, float green, float blue);

  // Makes the capture texture, shared by every ScreenFade, once the
  // blend-colour entry point exists; does nothing before or after that.
  // The texture holds `picture` (the 640x480 window unless given).
  void Create(const PictureArea& picture = PictureArea());

  // Stores the opacity clamped to 0..1 and returns it.
  float SetOpacity(float opacity);
  float Opacity() const { return opacity_; }
  void SetColour(float red, float green, float blue) { colour_ = vec<float, 3>(red, green, blue); }
  const vec<float, 3>& Colour() const { return colour_; }

  // Covers the window with the colour at `opacity`; needs no texture, but
  // does nothing without the blend-colour entry point.
  void Fade(float opacity) const;
  void Fade() const { Fade(opacity_); }

  // Copies the frame into the capture texture.
  void Capture() const;
  // Draws the captured frame over the window with opacity 1 - t.
  void Crossfade(float t) const;

 private:
  vec<float, 3> colour_{0.0f, 0.0f, 0.0f};
  float opacity_ = 0.0f;
};

// The whole-screen fade shared by the show, made before main; main creates
// its texture after the GL set-up, and only the show's stage captures frames
// into it and cross-fades from it.
extern ScreenFade gScreenFade;
