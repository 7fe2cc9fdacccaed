// The show clock: seconds since the last reset.
#pragma once

#include <memory>

class ShowClock {
 public:
  virtual ~ShowClock() = default;
  virtual void Reset() = 0;
  virtual double Read() const = 0;
  // Called once for every presented frame.
  virtual void FramePresented() {}
};

// Real time over the monotonic clock.
class RealTimeClock : public ShowClock {
 public:
  RealTimeClock();
  void Reset() override;
  double Read() const override;

 private:
  long long start_;  // nanoseconds
};

// Advances by 1/fps seconds at every presented frame, whatever the real time.
class FixedStepClock : public ShowClock {
 public:
  explicit FixedStepClock(int fps);
  void Reset() override;
  double Read() const override;
  void FramePresented() override;

 private:
  int fps_;
  long long frames_ = 0;
  long long start_ = 0;
};

// Seconds on the monotonic clock from a fixed, arbitrary point: for
// measuring wall time.
double MonotonicSeconds();

// The process-wide clock; real time until another one is installed (main
// installs a fixed-step clock for --fps). The show resets it as its timeline
// moves on, and PresentFrame tells it of each frame.
ShowClock& TheClock();
void InstallClock(std::unique_ptr<ShowClock> clock);
