// Fitting the 4:3 picture into a frame.
#include "runtime/picture_area.h"

PictureArea PictureArea::Centred(int frame_width, int frame_height) {
  PictureArea area;
  area.frame_width = frame_width;
  area.frame_height = frame_height;
  // Wider than 4:3: the full height with bars at the sides; otherwise the
  // full width with bars above and below.
  const bool wide = static_cast<long long>(frame_width) * kWindowHeight >=
                    static_cast<long long>(frame_height) * kWindowWidth;
  area.width = wide ? static_cast<int>(static_cast<long long>(frame_height) * kWindowWidth / kWindowHeight)
                    : frame_width;
  area.height = wide ? frame_height
                     : static_cast<int>(static_cast<long long>(frame_width) * kWindowHeight / kWindowWidth);
  area.x = (frame_width - area.width) / 2;
  area.y = (frame_height - area.height) / 2;
  return area;
}
