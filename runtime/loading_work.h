// The wall time of the show's loading work (unpacking, decoding, uploading,
// building the parts), kept apart from the loading picture's fixed fade.
#pragma once

// Adds the wall time from its construction to its destruction to the run's
// loading work. Scopes must not nest.
class LoadingWorkScope {
 public:
  LoadingWorkScope();
  ~LoadingWorkScope();
  LoadingWorkScope(const LoadingWorkScope&) = delete;
  LoadingWorkScope& operator=(const LoadingWorkScope&) = delete;

 private:
  double start_;
};

// Seconds of loading work so far in this process: one total, added to only
// by the scopes, read by the timedemo.
double LoadingWorkSeconds();

// Called as every later scope ends, before its time is taken, so that work a
// driver deferred (glFinish, say) is counted; nullptr for nothing. The
// timedemo sets it while it runs.
void SetLoadingWorkFinish(void (*finish)());
