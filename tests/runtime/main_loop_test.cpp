#include "runtime/main_loop.h"

#include <gtest/gtest.h>

#include <functional>

#include "tests/support/gl_context.h"

namespace {

class CountingShow : public Effect {
 public:
  explicit CountingShow(int lastFrame) : lastFrame_(lastFrame) {}
  bool Frame(float) override {
    ++frames;
    if (frames == 1) PushFirstFrameEvents();
    return frames < lastFrame_;
  }
  std::function<void()> PushFirstFrameEvents = [] {};
  int frames = 0;

 private:
  int lastFrame_;
};

void PushKey(Uint8 type, SDLKey key) {
  SDL_Event e{};
  e.type = type;
  e.key.type = type;
  e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
  e.key.keysym.sym = key;
  ASSERT_EQ(SDL_PushEvent(&e), 0);
}

class MainLoop : public GLContextTest {
 protected:
  void SetUp() override {
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
    }
  }
  FixedStepClock clock{50};
};

TEST_F(MainLoop, RunsUntilTheShowEnds) {
  CountingShow show(5);
  EXPECT_EQ(RunFrameLoop(show, clock), 5);
  EXPECT_EQ(show.frames, 5);
}

TEST_F(MainLoop, EscapeEndsAfterTheFrameInProgress) {
  CountingShow show(1000);
  show.PushFirstFrameEvents = [] { PushKey(SDL_KEYDOWN, SDLK_ESCAPE); };
  EXPECT_EQ(RunFrameLoop(show, clock), 2) << "the iteration that sees Escape still draws its frame";
}

TEST_F(MainLoop, OtherKeysAndKeyReleasesAreIgnored) {
  CountingShow show(4);
  show.PushFirstFrameEvents = [] {
    PushKey(SDL_KEYDOWN, SDLK_SPACE);
    PushKey(SDL_KEYUP, SDLK_ESCAPE);
  };
  EXPECT_EQ(RunFrameLoop(show, clock), 4);
}

TEST_F(MainLoop, QuitRequestEndsTheLoop) {
  CountingShow show(1000);
  show.PushFirstFrameEvents = [] {
    SDL_Event e{};
    e.type = SDL_QUIT;
    SDL_PushEvent(&e);
  };
  EXPECT_EQ(RunFrameLoop(show, clock), 2);
}

}  // namespace
