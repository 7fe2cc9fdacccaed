// The one place where frames are presented.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "runtime/picture_area.h"
#include "runtime/supersampler.h"
#include "runtime/window.h"

// The presenting state (picture area, capture folder, skip test, counts,
// observer, keeper) is one set per process, as every frame goes through
// PresentFrame. Main sets the picture area, capture folder and skip test
// from the command line; the timedemo
// and the video capture install themselves as the observer while they run;
// the show's stage sets the keeper.

// Every later frame is `frame` (the 640x480 window until this is called):
// the bars beside the picture are cleared to black before the frame is
// written or shown. With a `supersampler` (kept alive by the caller) the show
// draws in its buffer, which each frame is reduced from before it is written,
// observed and swapped; the keeper still reads the drawn buffer.
void PresentPicture(const PictureArea& frame, const Supersampler* supersampler = nullptr);

// Writes every later frame to DIR/frame000000.png, ... before it is shown.
// The folder is created when missing; false when it cannot be.
bool CaptureFramesTo(const std::string& dir);
// Frames presented while `skip` returns true are neither written nor
// numbered (empty: none is skipped).
void SkipFrameFilesWhile(std::function<bool()> skip);

// Sees every presented frame: the timedemo times them, the video capture
// records them.
class FrameObserver {
 public:
  virtual ~FrameObserver() = default;
  // The frame is drawn and still in the back buffer; the clock still reads
  // the frame's time.
  virtual void FrameDrawn() {}
  // The buffers have been swapped; the clock has not yet advanced.
  virtual void FrameSwapped() {}
};

// Shows every later frame to `observer` (nullptr: to none). The caller keeps
// it alive until it is replaced.
void InstallFrameObserver(FrameObserver* observer);

// Has `keep` called with every later frame while it is complete in the back
// buffer, just before the swap (nullptr: nothing is called): for a copy of
// the shown frame that outlives the swap.
void KeepEachFrame(void (*keep)());

// Swaps the buffers (after capturing the frame when capture is on and
// checking for a GL error when DEMO_GL_CHECK is on), shows the frame to the
// observer and tells the show clock that a frame was presented. What the
// back buffer holds after the swap is undefined; the environment variable
// DEMO_SPOIL_BACK_BUFFER (a diagnostic) fills it with magenta each time, so
// that a frame drawn over it shows.
void PresentFrame();

// Number of frames presented so far.
long long PresentedFrames();

// The back buffer as RGB bytes, bottom row first.
std::vector<unsigned char> ReadBackBuffer(int width = kWindowWidth, int height = kWindowHeight);

// Reads the width x height buffer that was drawn into (the back buffer of a double-
// buffered context) and writes it as an RGB PNG, top row first.
bool WriteBackBufferPng(const std::string& path, int width = kWindowWidth, int height = kWindowHeight);
