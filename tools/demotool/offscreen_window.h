// The 640x480 GL window that demotool's drawing commands render into,
// offscreen unless SDL_VIDEODRIVER names another driver.
#pragma once

#include "scene/window_space.h"

// Opens the window with a stencil buffer and the show's initial GL state;
// false (SDL_GetError says why) when there is none.
bool OpenOffscreenWindow();
