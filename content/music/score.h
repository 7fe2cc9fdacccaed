// The soundtrack as code: 120 beats per minute, sections that change at the
// show's part boundaries.
#pragma once

#include <vector>

#include "tools/synth/mixer.h"

namespace music {

constexpr double kBeatSeconds = 0.5;  // 120 beats per minute
constexpr double kTrackSeconds = 205.0;
constexpr double kFadeStartSeconds = 194.0;
constexpr double kFadeEndSeconds = 199.0;

enum class Mood { kCalm, kBreak, kDriving, kPeak, kEnding };

struct Section {
  const char* name;
  double start;  // seconds
  double end;
  Mood mood;
};

// The sections in order, covering the track from 0 to kTrackSeconds.
const std::vector<Section>& Sections();

// The whole track, mixed and faded but not yet mastered.
synth::StereoBuffer RenderScore();

}  // namespace music
