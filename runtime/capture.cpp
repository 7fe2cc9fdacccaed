// The video capture: frames piped to ffmpeg, then the music muxed in from the show's start.
#include "runtime/capture.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "runtime/clock.h"
#include "runtime/fatal.h"

namespace {

constexpr double kProgressInterval = 0.25;  // seconds between updates of the progress line
constexpr int kProgressWidth = 72;          // characters, enough to cover the line before
// Constant quality; 17 shows no artefacts on the show's gradients and fades.
constexpr const char* kQuality = "17";

VideoCapture* gUnfinished = nullptr;

// "dir/show.mp4" with "partial" gives "dir/show.partial.mp4": ffmpeg picks the
// container from the last extension, so the marker goes before it.
std::string Marked(const std::string& file, const std::string& marker) {
  const size_t slash = file.rfind('/');
  const size_t dot = file.rfind('.');
  const bool has_ext = dot != std::string::npos && dot > (slash == std::string::npos ? 0 : slash + 1);
  return has_ext ? file.substr(0, dot) + "." + marker + file.substr(dot) : file + "." + marker;
}

std::string MinutesSeconds(double seconds) {
  const long s = seconds > 0 ? static_cast<long>(seconds + 0.5) : 0;
  char text[32];
  std::snprintf(text, sizeof text, "%ld:%02ld", s / 60, s % 60);
  return text;
}

std::string Decimal(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6f", v);
  return text;
}

}  // namespace

VideoCapture::VideoCapture(const DemoPart1& show, std::string file, std::string music, int fps, bool skip_loading,
                           const PictureArea& picture)
    : show_(show),
      file_(std::move(file)),
      music_(std::move(music)),
      fps_(fps),
      skip_loading_(skip_loading),
      picture_(picture),
      partial_video_(Marked(file_, "partial-video")),
      partial_(Marked(file_, "partial")) {}

VideoCapture::~VideoCapture() {
  if (gUnfinished == this) gUnfinished = nullptr;
  InstallFrameObserver(nullptr);
}

void VideoCapture::Discard() {
  InstallFrameObserver(nullptr);
  gUnfinished = nullptr;
  encoder_.Kill();
  std::remove(partial_video_.c_str());
  std::remove(partial_.c_str());
}

void VideoCapture::DiscardUnfinished() {
  if (gUnfinished) gUnfinished->Discard();
}

void VideoCapture::Fail(const std::string& reason) {
  Discard();
  std::fprintf(stderr, "%sdemo: cannot record to %s: %s\n", frames_ > 0 ? "\n" : "", file_.c_str(), reason.c_str());
  ExitWithStatus(1);
}

void VideoCapture::Start() {
  if (!music_.empty() && access(music_.c_str(), R_OK) != 0) {
    std::fprintf(stderr, "demo: %s cannot be read; recording without music\n", music_.c_str());
    music_.clear();
  }
  const std::string size = picture_.FrameSize();
  const std::vector<std::string> args = {"ffmpeg", "-hide_banner", "-loglevel", "error", "-y",
                                         "-f", "rawvideo", "-pixel_format", "rgb24", "-video_size", size,
                                         "-framerate", std::to_string(fps_), "-i", "pipe:0",
                                         "-vf", "vflip",  // rows arrive bottom first, as OpenGL reads them
                                         "-c:v", "libx264", "-preset", "medium", "-crf", kQuality,
                                         "-pix_fmt", "yuv420p", partial_video_};
  std::string error;
  if (!encoder_.Start(args, true, &error))
    Fail("ffmpeg " + error + (error == "not found" ? " (install the Debian package ffmpeg)" : ""));
  static const bool registered = std::atexit(DiscardUnfinished) == 0;  // for exits from anywhere before Finish
  (void)registered;
  gUnfinished = this;
  started_ = MonotonicSeconds();
  InstallFrameObserver(this);
}

void VideoCapture::FrameDrawn() {
  if (skip_loading_ && show_.State() == 0) return;
  if (music_frame_ < 0 && show_.State() > 0) music_frame_ = frames_;
  const std::vector<unsigned char> pixels = ReadBackBuffer(picture_.frame_width, picture_.frame_height);
  if (!encoder_.Write(pixels.data(), pixels.size()))
    Fail(std::string("ffmpeg stopped taking frames (") + std::strerror(errno) + ")");
  ++frames_;
  ShowProgress(false);
}

void VideoCapture::ShowProgress(bool done) {
  const double now = MonotonicSeconds();
  if (!done && now - last_progress_ < kProgressInterval) return;
  last_progress_ = now;
  const double elapsed = now - started_;
  char line[512];
  const double rate = elapsed > 0 ? frames_ / elapsed : 0.0;
  if (done) {
    std::snprintf(line, sizeof line, "capture: %s, %lld frames (%s at %d fps)%s, recorded in %s (%.0f fps)",
                  file_.c_str(), frames_, MinutesSeconds(static_cast<double>(frames_) / fps_).c_str(), fps_,
                  music_.empty() || music_frame_ < 0 ? "" : " with music", MinutesSeconds(elapsed).c_str(), rate);
    std::fprintf(stderr, "\r%-*s\n", kProgressWidth, line);
    return;
  }
  const double start = show_.RangeStart(), end = show_.RangeEnd();
  const double at = show_.State() == 0 ? start : show_.ShowTime();
  const double percent = end > start ? 100.0 * (at - start) / (end - start) : 100.0;
  const double left = rate > 0 ? (end - at) * fps_ / rate : 0.0;
  std::snprintf(line, sizeof line, "capture: %s %-9s %3.0f%%  %lld frames  %.0f fps  %s left",
                picture_.FrameSize().c_str(), ShowStateName(show_.State()),
                percent, frames_, rate, MinutesSeconds(left).c_str());
  std::fprintf(stderr, "\r%-*s", kProgressWidth, line);
  std::fflush(stderr);
}

bool VideoCapture::AddMusic(const std::string& video, const std::string& out) {
  // The track from the range's place, after silence up to the show's first
  // frame, padded or cut to the video's length.
  const double delay_ms = 1000.0 * static_cast<double>(music_frame_) / fps_;
  const double length = static_cast<double>(frames_) / fps_;
  const std::string filter = "[1:a]atrim=start=" + Decimal(show_.RangeStart()) + ",asetpts=PTS-STARTPTS,adelay=delays=" +
                             Decimal(delay_ms) + ":all=1,apad,atrim=end=" + Decimal(length) + "[music]";
  const std::vector<std::string> args = {"ffmpeg", "-hide_banner", "-loglevel", "error", "-y",
                                         "-i", video, "-i", music_, "-filter_complex", filter,
                                         "-map", "0:v", "-map", "[music]", "-c:v", "copy", "-b:a", "192k", out};
  ChildProcess muxer;
  std::string error;
  return muxer.Start(args, false, &error) && muxer.Wait() == 0;
}

void VideoCapture::Finish() {
  InstallFrameObserver(nullptr);
  if (encoder_.Wait() != 0) Fail("ffmpeg could not encode the video (its message is above)");
  if (!music_.empty() && music_frame_ >= 0) {
    std::fprintf(stderr, "\r%-*s", kProgressWidth, "capture: adding the music");
    if (!AddMusic(partial_video_, partial_)) Fail("ffmpeg could not add the music (its message is above)");
    std::remove(partial_video_.c_str());
  } else if (std::rename(partial_video_.c_str(), partial_.c_str()) != 0) {
    Fail(std::strerror(errno));
  }
  if (std::rename(partial_.c_str(), file_.c_str()) != 0) Fail(std::strerror(errno));
  gUnfinished = nullptr;
  ShowProgress(true);
}
