#include "runtime/main_loop.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/gl_context.h"

namespace {

// Ends after lastFrame frames; during its first frame it pushes `events`.
class CountingShow : public Effect {
 public:
  CountingShow(int lastFrame, std::vector<SDL_Event> events) : lastFrame_(lastFrame), events_(std::move(events)) {}
  bool Frame(float) override {
    if (++frames == 1)
      for (SDL_Event& e : events_) EXPECT_EQ(SDL_PushEvent(&e), 0);
    return frames < lastFrame_;
  }
  int frames = 0;

 private:
  int lastFrame_;
  std::vector<SDL_Event> events_;
};

SDL_Event Key(Uint8 type, SDLKey key) {
  SDL_Event e{};
  e.type = e.key.type = type;
  e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
  e.key.keysym.sym = key;
  return e;
}

class MainLoop : public GLContextTest {
 protected:
  void SetUp() override {
    for (SDL_Event e; SDL_PollEvent(&e);) {
    }
  }
  int Run(int lastFrame, std::vector<SDL_Event> events = {}) {
    CountingShow show(lastFrame, std::move(events));
    const int frames = RunFrameLoop(show, clock);
    EXPECT_EQ(show.frames, frames);
    return frames;
  }
  FixedStepClock clock{50};
};

TEST_F(MainLoop, RunsUntilTheShowEndsIgnoringOtherKeysAndReleases) {
  EXPECT_EQ(Run(5), 5);
  EXPECT_EQ(Run(4, {Key(SDL_KEYDOWN, SDLK_SPACE), Key(SDL_KEYUP, SDLK_ESCAPE)}), 4);
}

TEST_F(MainLoop, EscapeOrQuitEndsAfterTheFrameInProgress) {
  EXPECT_EQ(Run(1000, {Key(SDL_KEYDOWN, SDLK_ESCAPE)}), 2) << "the iteration that sees Escape still draws its frame";
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  EXPECT_EQ(Run(1000, {quit}), 2);
}

}  // namespace
