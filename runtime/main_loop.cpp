// The frame loop: events, the clock and one frame of the show per turn.
#include "runtime/main_loop.h"

#include <SDL/SDL.h>

long long RunFrameLoop(Effect& show, ShowClock& clock) {
  long long frames = 0;
  bool quit = false;
  while (!quit) {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
      if ((event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE) || event.type == SDL_QUIT) quit = true;
    }
    const float t = static_cast<float>(clock.Read());
    ++frames;
    if (!show.Frame(t)) quit = true;
  }
  return frames;
}
