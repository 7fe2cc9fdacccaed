// An offscreen 640x480 GL window for tests.
#pragma once

#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include "runtime/window.h"

class GLContextTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
    ASSERT_NE(SDL_SetVideoMode(kWindowWidth, kWindowHeight, 32, SDL_OPENGL), nullptr) << SDL_GetError();
  }
  static void TearDownTestSuite() { SDL_Quit(); }
};
