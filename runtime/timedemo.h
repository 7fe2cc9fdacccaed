// The timedemo: the time of every presented frame and, at the end, a table of
// frame statistics per timeline state with the loading work, the run's wall
// time and its peak memory.
#pragma once

#include <cstdio>
#include <vector>

#include "runtime/present.h"
#include "runtime/show.h"

class Timedemo : public FrameObserver {
 public:
  // Times every frame that `show` presents from now on: from the previous
  // frame (or from now) to the frame's swap, after glFinish, less the loading
  // work done in between. Installs itself as the frame observer and has every
  // loading-work scope finish the GL pipeline; the destructor undoes both.
  // `fps` is the fixed step, `run_start` the run's start on the monotonic
  // clock and `picture` the frame drawn, all for the report.
  Timedemo(const DemoPart1& show, int fps, double run_start, const PictureArea& picture = PictureArea());
  ~Timedemo() override;
  Timedemo(const Timedemo&) = delete;
  Timedemo& operator=(const Timedemo&) = delete;

  void FrameDrawn() override;
  void FrameSwapped() override;

  // One line per state that presented frames, in playing order: frames, the
  // first frame's time, median, 99th percentile (nearest rank) and worst
  // frame time in ms, median fps; then the loading work, the wall time so far
  // and the peak resident memory.
  void PrintReport(std::FILE* out) const;
  // The header "state,frame,time,ms" and one row per frame: the state's name,
  // the run's frame number, the show time of the frame in seconds (during
  // loading, seconds into the loading step) and its time in ms. False on a
  // write error.
  bool WriteCsv(std::FILE* out) const;

 private:
  struct Sample {
    int state;
    long long frame;
    double time;
    double ms;
  };

  const DemoPart1& show_;
  const int fps_;
  const double run_start_;
  const PictureArea picture_;
  std::vector<Sample> samples_;
  Sample drawn_{};
  double last_swap_;            // monotonic seconds
  double loading_at_last_swap_;
};
