// The timedemo's frame times and its report per timeline state.
#include "runtime/timedemo.h"

#include <GL/gl.h>
#include <sys/resource.h>

#include <algorithm>

#include "runtime/clock.h"
#include "runtime/loading_work.h"

namespace {

struct FrameStats {
  size_t frames = 0;
  double first = 0, median = 0, p99 = 0, worst = 0;
};

FrameStats Summarize(std::vector<double> ms) {
  FrameStats s;
  s.frames = ms.size();
  if (ms.empty()) return s;
  s.first = ms.front();
  std::sort(ms.begin(), ms.end());
  const size_t n = ms.size();
  s.median = n % 2 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2;
  s.p99 = ms[(99 * n + 99) / 100 - 1];  // nearest rank: the ceil(0.99 n)-th smallest
  s.worst = ms.back();
  return s;
}

double PeakResidentMiB() {
  struct rusage usage {};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB
}

void FinishGL() { glFinish(); }

}  // namespace

Timedemo::Timedemo(const DemoPart1& show, int fps, double run_start, const PictureArea& picture)
    : show_(show),
      fps_(fps),
      run_start_(run_start),
      picture_(picture),
      last_swap_(MonotonicSeconds()),
      loading_at_last_swap_(LoadingWorkSeconds()) {
  InstallFrameObserver(this);
  SetLoadingWorkFinish(FinishGL);
}

Timedemo::~Timedemo() {
  InstallFrameObserver(nullptr);
  SetLoadingWorkFinish(nullptr);
}

void Timedemo::FrameDrawn() { drawn_ = {show_.State(), PresentedFrames(), show_.ShowTime(), 0.0}; }

void Timedemo::FrameSwapped() {
  glFinish();  // a deferring driver would otherwise bill this frame's work to a later one
  const double now = MonotonicSeconds(), loading = LoadingWorkSeconds();
  drawn_.ms = (now - last_swap_ - (loading - loading_at_last_swap_)) * 1000.0;
  samples_.push_back(drawn_);
  last_swap_ = now;
  loading_at_last_swap_ = loading;
}

void Timedemo::PrintReport(std::FILE* out) const {
  const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
  std::fprintf(out, "timedemo: %zu frames, %d steps a second, %s, on %s\n", samples_.size(), fps_,
               picture_.FrameSize().c_str(),
               renderer ? renderer : "an unknown renderer");
  std::fprintf(out, "%-10s %7s %9s %9s %9s %9s %10s\n", "state", "frames", "first ms", "median ms", "p99 ms",
               "worst ms", "median fps");
  for (int state = 0; state < DemoPart1::kFinished; ++state) {
    std::vector<double> ms;
    for (const Sample& s : samples_)
      if (s.state == state) ms.push_back(s.ms);
    if (ms.empty()) continue;
    const FrameStats f = Summarize(std::move(ms));
    std::fprintf(out, "%-10s %7zu %9.2f %9.2f %9.2f %9.2f %10.1f\n", ShowStateName(state), f.frames, f.first, f.median,
                 f.p99, f.worst, f.median > 0 ? 1000.0 / f.median : 0.0);
  }
  std::fprintf(out, "loading work: %.3f s (unpacking, decoding, uploading, building every part; not the fade)\n",
               LoadingWorkSeconds());
  std::fprintf(out, "whole run: %.3f s wall\n", MonotonicSeconds() - run_start_);
  std::fprintf(out, "peak resident memory: %.1f MiB\n", PeakResidentMiB());
}

bool Timedemo::WriteCsv(std::FILE* out) const {
  std::fprintf(out, "state,frame,time,ms\n");
  for (const Sample& s : samples_)
    std::fprintf(out, "%s,%lld,%.6f,%.4f\n", ShowStateName(s.state), s.frame, s.time, s.ms);
  return std::fflush(out) == 0 && !std::ferror(out);
}
