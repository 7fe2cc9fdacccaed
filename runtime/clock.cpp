// The show clocks: monotonic time since the last reset, or fixed steps per presented frame.
#include "runtime/clock.h"

#include <chrono>

namespace {

long long NowNanoseconds() {
  using namespace std::chrono;
  return duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count();
}

std::unique_ptr<ShowClock>& Slot() {
  static std::unique_ptr<ShowClock> clock = std::make_unique<RealTimeClock>();
  return clock;
}

}  // namespace

RealTimeClock::RealTimeClock() : start_(NowNanoseconds()) {}
void RealTimeClock::Reset() { start_ = NowNanoseconds(); }
double RealTimeClock::Read() const {
  return static_cast<long double>(NowNanoseconds() - start_) / 1e9L;
}

FixedStepClock::FixedStepClock(int fps) : fps_(fps > 0 ? fps : 1) {}
void FixedStepClock::Reset() { start_ = frames_; }
double FixedStepClock::Read() const { return static_cast<double>(frames_ - start_) / fps_; }
void FixedStepClock::FramePresented() { ++frames_; }

double MonotonicSeconds() { return static_cast<double>(NowNanoseconds()) / 1e9; }

ShowClock& TheClock() { return *Slot(); }
void InstallClock(std::unique_ptr<ShowClock> clock) { Slot() = std::move(clock); }
