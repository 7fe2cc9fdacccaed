// The mixing desk of the score: a music bus that ducks under the kick, a
// drum bus, reverb and delay sends, and the closing fade.
#pragma once

#include <vector>

#include "content/music/instruments.h"
#include "tools/synth/mixer.h"

namespace music {

enum class Bus { kMusic, kDrums };

class Mix {
 public:
  explicit Mix(double seconds);
  // Places a voice at `time` seconds; `reverb` and `delay` are send levels.
  void Add(Bus bus, const Voice& voice, double time, float gain, float pan, float reverb,
           float delay);
  // Dips the music bus briefly from `time`, as a kick's side-chain would.
  void Duck(double time);
  // Sums the buses and the effect returns, then fades to silence between the
  // two times.
  synth::StereoBuffer Finish(double fade_start, double fade_end);

 private:
  synth::StereoBuffer music_, drums_, reverb_send_, delay_send_;
  std::vector<float> duck_;
};

}  // namespace music
