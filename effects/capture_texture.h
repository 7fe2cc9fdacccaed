// A 1024x512 texture that holds a copy of the 640x480 frame in its lower-left
// corner, for the whole-screen effects.
#pragma once

#include <GL/gl.h>

class CaptureTexture {
 public:
  explicit CaptureTexture(GLint internal_format) : internal_format_(internal_format) {}

  // Defines the texture once, when the blend-colour entry point exists;
  // later calls change nothing.
  void Create();
  // Created, and the blend-colour entry point is there to draw it with.
  bool Ready() const;
  // Copies the frame buffer's lower-left 640x480 pixels into the texture.
  void Capture() const;
  // Blends the captured frame over the whole window with constant alpha.
  void DrawOverWindow(float alpha) const;

 private:
  GLint internal_format_;
  bool created_ = false;
  GLuint name_ = 0;
};
