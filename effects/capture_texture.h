// A power-of-two texture that holds a copy of the show's picture in its
// lower-left corner (a 640x480 picture in 1024x512), for the whole-screen
// effects.
#pragma once

#include <GL/gl.h>

#include "runtime/picture_area.h"

// The side of the power-of-two texture that holds `pixels` pixels.
int CaptureTextureSide(int pixels);

class CaptureTexture {
 public:
  explicit CaptureTexture(GLint internal_format) : internal_format_(internal_format) {}

  // Defines the texture once, sized for `picture`, when the blend-colour
  // entry point exists; later calls change nothing.
  void Create(const PictureArea& picture);
  // Created, and the blend-colour entry point is there to draw it with.
  bool Ready() const;
  // Copies the picture's pixels of the frame buffer into the texture.
  void Capture() const;
  // Blends the captured frame over the whole window with constant alpha.
  void DrawOverWindow(float alpha) const;

 private:
  GLint internal_format_;
  bool created_ = false;
  GLuint name_ = 0;
  PictureArea picture_;
  float right_ = 0.0f;  // texture coordinates of the picture's far corner
  float top_ = 0.0f;
};
