// Opening demotool's 640x480 GL window with the show's GL state.
#include "offscreen_window.h"

#include <SDL/SDL.h>

#include <cstdlib>

#include "runtime/gl_setup.h"

bool OpenOffscreenWindow() {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return false;
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
  if (!SDL_SetVideoMode(kWindowWidth, kWindowHeight, 32, SDL_OPENGL)) return false;
  SetupOpenGL(kWindowWidth, kWindowHeight);
  return true;
}
