// Timing the loading work apart from the loading picture's fade.
#include "runtime/loading_work.h"

#include "runtime/clock.h"

namespace {
double gLoadingSeconds = 0.0;
void (*gFinish)() = nullptr;
}  // namespace

LoadingWorkScope::LoadingWorkScope() : start_(MonotonicSeconds()) {}

LoadingWorkScope::~LoadingWorkScope() {
  if (gFinish) gFinish();
  gLoadingSeconds += MonotonicSeconds() - start_;
}

double LoadingWorkSeconds() { return gLoadingSeconds; }

void SetLoadingWorkFinish(void (*finish)()) { gFinish = finish; }
