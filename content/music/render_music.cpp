// render_music: renders the soundtrack, masters it and writes the MP3 that
// the show plays and a WAV copy for measurement.
//   render_music OUT.mp3 OUT.wav
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "content/music/mastering.h"
#include "content/music/mp3_encoder.h"
#include "content/music/score.h"
#include "tools/synth/dsp.h"
#include "tools/synth/loudness.h"
#include "tools/synth/wav.h"

namespace {

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  const char* usage = "usage: render_music OUT.mp3 OUT.wav\n  renders, masters and encodes the soundtrack\n";
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
    std::fputs(usage, stdout);
    return 0;
  }
  if (argc != 3) {
    std::fputs(usage, stderr);
    return 2;
  }
  auto start = std::chrono::steady_clock::now();
  synth::StereoBuffer audio = music::RenderScore();
  double render_seconds = SecondsSince(start);
  music::MasteringResult mastered = music::Master(audio, music::MasteringTarget{});
  double master_seconds = SecondsSince(start) - render_seconds;

  auto encode_start = std::chrono::steady_clock::now();
  std::string error;
  if (!music::EncodeMp3(audio, 192, argv[1], error)) {
    std::fprintf(stderr, "render_music: %s\n", error.c_str());
    return 1;
  }
  double encode_seconds = SecondsSince(encode_start);
  if (!synth::WriteWav(argv[2], audio)) {
    std::fprintf(stderr, "render_music: cannot write %s\n", argv[2]);
    return 1;
  }

  synth::LoudnessMeter meter(audio, synth::kSampleRate);
  std::printf("render_music: %.1f s rendered in %.2f s, mastered in %.2f s, encoded in %.2f s\n",
              audio.Frames() / static_cast<double>(synth::kSampleRate), render_seconds,
              master_seconds, encode_seconds);
  std::printf("render_music: gain %+.2f dB, true peak %.2f dBTP, integrated %.2f LUFS\n",
              mastered.gain_db, mastered.true_peak_dbtp, mastered.loudness_lufs);
  for (const music::Section& section : music::Sections()) {
    double lufs = meter.Integrated(static_cast<size_t>(section.start * synth::kSampleRate),
                                   static_cast<size_t>(section.end * synth::kSampleRate));
    std::printf("render_music: %6.1f-%6.1f s %-20s %7.2f LUFS\n", section.start, section.end,
                section.name, lufs);
  }
  return 0;
}
