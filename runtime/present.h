// The one place where frames are presented.
#pragma once

#include <string>

// Writes every later frame to DIR/frame000000.png, ... before it is shown.
// The folder is created when missing; false when it cannot be.
bool CaptureFramesTo(const std::string& dir);

// Swaps the buffers (after capturing the frame when capture is on and
// checking for a GL error when DEMO_GL_CHECK is on) and tells the show clock
// that a frame was presented.
void PresentFrame();

// Number of frames presented so far.
long long PresentedFrames();

// Reads the 640x480 buffer that was drawn into (the back buffer of a double-
// buffered context) and writes it as an RGB PNG, top row first.
bool WriteBackBufferPng(const std::string& path, int width = 640, int height = 480);
