// musicmeter: mastering report of a WAV file. Prints the sample and true peak,
// the integrated loudness and, for each section between the given boundary
// seconds, its loudness.
//   musicmeter FILE.wav [SECONDS...]
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/synth/dsp.h"
#include "tools/synth/loudness.h"
#include "tools/synth/wav.h"

int main(int argc, char** argv) {
  const char* usage =
      "usage: musicmeter FILE.wav [SECONDS...]\n"
      "  prints sample peak, true peak, integrated loudness, and the loudness of each section\n"
      "  between the given boundary seconds\n";
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
    std::fputs(usage, stdout);
    return 0;
  }
  if (argc < 2) {
    std::fputs(usage, stderr);
    return 2;
  }
  synth::WavAudio wav;
  std::string error;
  if (!synth::ReadWav(argv[1], wav, error)) {
    std::fprintf(stderr, "musicmeter: %s: %s\n", argv[1], error.c_str());
    return 1;
  }
  const synth::StereoBuffer& audio = wav.audio;
  double rate = wav.sample_rate;
  double length = audio.Frames() / rate;
  std::vector<double> bounds{0.0};
  for (int i = 2; i < argc; ++i) {
    char* end = nullptr;
    double seconds = std::strtod(argv[i], &end);
    if (end == argv[i] || *end != '\0' || seconds <= bounds.back() || seconds >= length) {
      std::fprintf(stderr, "musicmeter: boundaries must rise inside the %.2f s file: %s\n", length,
                   argv[i]);
      return 2;
    }
    bounds.push_back(seconds);
  }
  bounds.push_back(length);

  synth::LoudnessMeter meter(audio, rate);
  std::printf("length         %.3f s\n", length);
  std::printf("sample peak    %.2f dBFS\n", synth::GainToDb(synth::SamplePeak(audio)));
  std::printf("true peak      %.2f dBTP\n", synth::GainToDb(synth::TruePeak(audio)));
  std::printf("integrated     %.2f LUFS\n", meter.Integrated());
  if (bounds.size() > 2) {
    for (size_t i = 0; i + 1 < bounds.size(); ++i) {
      auto begin = static_cast<size_t>(bounds[i] * rate);
      auto end = static_cast<size_t>(bounds[i + 1] * rate);
      std::printf("section %6.1f-%6.1f s  %7.2f LUFS\n", bounds[i], bounds[i + 1],
                  meter.Integrated(begin, end));
    }
  }
  return 0;
}
