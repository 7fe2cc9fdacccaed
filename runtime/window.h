// The show's picture: the 640x480 units everything is drawn in, and the size
// in pixels of every frame unless another is asked for (runtime/picture_area.h).
#pragma once

constexpr int kWindowWidth = 640;
constexpr int kWindowHeight = 480;
