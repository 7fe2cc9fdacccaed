// The show's window: the size in pixels of every frame it draws.
#pragma once

constexpr int kWindowWidth = 640;
constexpr int kWindowHeight = 480;
