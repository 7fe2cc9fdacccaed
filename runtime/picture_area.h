// Where the show's 4:3 picture lies in a frame of any size: as large as fits,
// centred, with black bars beside it or above and below it.
#pragma once

#include <string>

#include "runtime/window.h"

struct PictureArea {
  // The whole frame, in pixels.
  int frame_width = kWindowWidth;
  int frame_height = kWindowHeight;
  // The picture inside it, in pixels from the frame's lower left corner.
  int x = 0;
  int y = 0;
  int width = kWindowWidth;
  int height = kWindowHeight;

  // The largest 4:3 picture that fits a frame_width x frame_height frame,
  // centred; a 4:3 frame is all picture.
  static PictureArea Centred(int frame_width, int frame_height);

  // Frame pixels per pixel of the 640x480 picture the show is drawn in.
  float Scale() const { return static_cast<float>(height) / kWindowHeight; }
  bool FillsFrame() const { return width == frame_width && height == frame_height; }
  // "640x480": the frame's size, as the reports print it.
  std::string FrameSize() const { return std::to_string(frame_width) + "x" + std::to_string(frame_height); }
};
