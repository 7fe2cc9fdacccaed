// The soundtrack's score, section by section.
#include "content/music/score.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "content/music/instruments.h"
#include "content/music/mix.h"
#include "tools/synth/drums.h"
#include "tools/synth/dsp.h"

namespace music {
namespace {

constexpr double kBar = 4 * kBeatSeconds;
constexpr double kStep = kBeatSeconds / 4;  // a sixteenth
constexpr double kSwing = 0.018;            // late offbeat sixteenths

struct Chord {
  float root;
  std::array<float, 5> tones;
};
const Chord kAm9{45, {57, 60, 64, 67, 71}};
const Chord kFmaj7{41, {53, 57, 60, 64, 67}};
const Chord kCmaj7{48, {55, 59, 60, 64, 67}};
const Chord kG6{43, {55, 59, 62, 64, 69}};
const Chord kDm9{38, {53, 57, 60, 62, 64}};
const Chord kEm7{40, {55, 59, 62, 64, 67}};

const std::array<Chord, 4> kCalmChords = {kAm9, kFmaj7, kCmaj7, kG6};

struct Span {
  double start;
  double end;
};

struct Note {
  float pitch;
  double beats;
};
constexpr float kRest = 0.0f;

// Slow bell tune over the calm progression, two bars per chord.
const std::vector<Note> kCalmTune = {
    {76, 3}, {74, 1}, {72, 2}, {71, 2}, {69, 4}, {72, 2}, {76, 2},
    {79, 4}, {76, 2}, {74, 2}, {74, 4}, {71, 2}, {kRest, 2}};
// The peak's lead, one bar per chord of Am F C G.
const std::vector<Note> kPeakTune = {
    {76, 1.5}, {74, 0.5}, {72, 1}, {76, 1},  {81, 1.5}, {79, 0.5}, {77, 1},  {76, 1},
    {79, 1.5}, {76, 0.5}, {72, 1}, {74, 0.5}, {76, 0.5}, {74, 2},   {71, 1},  {74, 1},
    {76, 1.5}, {74, 0.5}, {72, 1}, {76, 1},  {81, 1},   {84, 1},   {83, 0.5}, {81, 0.5},
    {79, 1},   {79, 1.5}, {76, 0.5}, {79, 1}, {81, 1},   {83, 1.5}, {81, 0.5}, {83, 2}};

// Calls visit(bar, time) for every bar that starts inside the span.
template <typename Visit>
void ForBars(const Span& span, Visit&& visit) {
  for (int bar = 0; span.start + bar * kBar < span.end - 1e-9; ++bar) visit(bar, span.start + bar * kBar);
}

// Plays a 16-step pattern ('X' accent, 'x' normal, 'o' ghost) in one bar.
template <typename Hit>
void Steps(const char* pattern, double bar_time, const Span& span, Hit&& hit) {
  for (int step = 0; step < 16 && pattern[step]; ++step) {
    char c = pattern[step];
    if (c == '.') continue;
    double time = bar_time + step * kStep + (step % 2 ? kSwing : 0.0);
    if (time >= span.end) return;
    hit(time, c == 'X' ? 1.0f : c == 'x' ? 0.75f : 0.45f, step);
  }
}

// Plays a tune from `start`, looping, until the span ends.
template <typename Play>
void Tune(const std::vector<Note>& tune, double start, const Span& span, Play&& play) {
  double time = start;
  while (time < span.end) {
    for (const Note& note : tune) {
      double length = note.beats * kBeatSeconds;
      if (time >= span.end) return;
      if (note.pitch != kRest) play(note.pitch, time, std::min(length, span.end - time));
      time += length;
    }
  }
}

// Each chord tone twice, detuned apart and spread to both sides.
void PadChord(Mix& mix, const Chord& chord, double time, double seconds, float brightness,
              float gain, float release) {
  for (size_t k = 0; k < chord.tones.size(); ++k) {
    float pan = 0.25f * (static_cast<float>(k) - 2.0f) / 2.0f;
    mix.Add(Bus::kMusic, Pad(chord.tones[k], seconds, 7.0f, brightness, release), time, gain,
            pan - 0.4f, 0.45f, 0.0f);
    mix.Add(Bus::kMusic, Pad(chord.tones[k], seconds, 12.0f, brightness, release), time, gain,
            pan + 0.4f, 0.45f, 0.0f);
  }
}

// Drum hits rendered once at full velocity and played back scaled, as a
// drum machine's samples; a few variants of each keep the noise alive.
struct DrumKit {
  DrumKit() : kick(synth::Kick(1.0f)), crash(synth::HiHat(1.0f, 1.2f, 5)) {
    for (uint32_t v = 0; v < kVariants; ++v) {
      snare[v] = synth::Snare(1.0f, 100 + v);
      closed_hat[v] = synth::HiHat(1.0f, 0.035f, 200 + v);
      open_hat[v] = synth::HiHat(1.0f, 0.22f, 300 + v);
    }
    for (size_t k = 0; k < kMetalPitches.size(); ++k) metal[k] = synth::MetalHit(1.0f, kMetalPitches[k]);
  }
  static constexpr uint32_t kVariants = 4;
  static constexpr std::array<float, 3> kMetalPitches = {520.0f, 660.0f, 990.0f};
  Voice kick;
  Voice crash;
  std::array<Voice, kVariants> snare, closed_hat, open_hat;
  std::array<Voice, 3> metal;
};

void Birds(Mix& mix, const Span& span, uint32_t seed) {
  synth::Noise noise(seed);
  for (double time = span.start + 2.0; time < span.end - 1.5; time += 2.5 + 4.0 * noise.Unit()) {
    mix.Add(Bus::kMusic, BirdCall(seed++), time, 0.22f, noise.Next() * 0.8f, 0.5f, 0.1f);
  }
}

// Calm nature music: pads, a water arpeggio, a sub and a bell tune.
void Calm(Mix& mix, const Span& span, int arp_from_bar, int tune_from_bar, uint32_t seed) {
  synth::Noise noise(seed);
  static const int kArpWalk[8] = {0, 2, 4, 6, 5, 3, 7, 4};
  ForBars(span, [&](int bar, double time) {
    const Chord& chord = kCalmChords[(bar / 2) % 4];
    if (bar % 2 == 0) {
      double seconds = std::min(2 * kBar, span.end - time);
      PadChord(mix, chord, time, seconds, 0.25f, 0.09f, 0.7f);
      mix.Add(Bus::kMusic, Bass(chord.root - 12, seconds, 0.5f, 180.0f), time, 0.5f, 0.0f, 0.0f, 0.0f);
    }
    if (bar < arp_from_bar) return;
    for (int step = 0; step < 8; ++step) {
      double at = time + step * 2 * kStep;
      if (at >= span.end) break;
      int index = kArpWalk[(step + bar * 3) % 8];
      float pitch = chord.tones[index % 5] + 12.0f * static_cast<float>(index / 5 + 1);
      float velocity = 0.55f + 0.3f * noise.Unit() + (step % 4 == 0 ? 0.15f : 0.0f);
      mix.Add(Bus::kMusic, WaterPluck(pitch, velocity), at, 0.55f, step % 2 ? 0.45f : -0.45f, 0.4f,
              0.45f);
    }
  });
  if (tune_from_bar >= 0) {
    Tune(kCalmTune, span.start + tune_from_bar * kBar, span, [&](float pitch, double at, double) {
      mix.Add(Bus::kMusic, Bell(pitch, 0.8f), at, 0.5f, 0.1f, 0.5f, 0.35f);
    });
  }
  Birds(mix, span, seed);
}

struct Drive {
  std::array<Chord, 4> chords;  // one a bar
  bool clap = false;            // snare on two and four
  bool open_hats = false;       // open hats on the offbeats
  bool stabs = false;           // offbeat chord stabs
  bool lead = false;            // the peak tune, its arpeggio and crashes
  float bass_cutoff_hz = 300.0f;
  float pad_gain = 0.03f;
};

// Machine music: four-to-the-floor kick, hats, bass, stabs, metal.
void Driving(Mix& mix, const DrumKit& kit, const Span& span, const Drive& drive, uint32_t seed) {
  synth::Noise noise(seed);
  ForBars(span, [&](int bar, double time) {
    const Chord& chord = drive.chords[bar % 4];
    double rest = span.end - time;
    PadChord(mix, chord, time, std::min(kBar, rest), 0.35f, drive.pad_gain, 0.25f);
    Steps("X...X...X...X...", time, span, [&](double at, float v, int) {
      mix.Add(Bus::kDrums, kit.kick, at, 0.95f * v, 0.0f, 0.02f, 0.0f);
      mix.Duck(at);
    });
    Steps("XoxoXoxxXoxoXoxo", time, span, [&](double at, float v, int step) {
      float human = 0.8f + 0.2f * noise.Unit();
      mix.Add(Bus::kDrums, kit.closed_hat[step % kit.kVariants], at, 0.32f * v * human, 0.35f, 0.05f,
              0.0f);
    });
    if (drive.open_hats) {
      Steps("..x...x...x...x.", time, span, [&](double at, float v, int step) {
        mix.Add(Bus::kDrums, kit.open_hat[(step / 4) % kit.kVariants], at, 0.28f * v, -0.3f, 0.1f, 0.0f);
      });
    }
    if (drive.clap) {
      Steps("....X.......X..o", time, span, [&](double at, float v, int step) {
        mix.Add(Bus::kDrums, kit.snare[(step + bar) % kit.kVariants], at, 0.6f * v, 0.1f, 0.25f, 0.0f);
      });
    }
    Steps("..x..x....x..x.o", time, span, [&](double at, float v, int step) {
      const Voice& hit = kit.metal[step == 10 ? 1 : step == 15 ? 2 : 0];
      mix.Add(Bus::kDrums, hit, at, 0.16f * v, step < 8 ? -0.6f : 0.6f, 0.3f, 0.3f);
    });
    // Rolling bass: root on the offbeat sixteenths, octave jumps for groove.
    Steps(".xX.xxX.oxX.xxXx", time, span, [&](double at, float v, int step) {
      float pitch = chord.root - 12.0f + (step % 7 == 6 ? 12.0f : 0.0f);
      float cutoff = drive.bass_cutoff_hz * (1.0f + 0.5f * static_cast<float>(bar % 4) / 3.0f);
      mix.Add(Bus::kMusic, Bass(pitch, kStep * 0.8, v, cutoff), at, 0.55f, 0.0f, 0.0f, 0.0f);
    });
    if (drive.stabs) Steps("..x..x....x...x.", time, span, [&](double at, float v, int) {
      for (size_t k = 1; k < 4; ++k)
        mix.Add(Bus::kMusic, Stab(chord.tones[k], kStep * 1.5, v, 900.0f), at, 0.12f,
                (static_cast<float>(k) - 2.0f) * 0.4f, 0.3f, 0.25f);
    });
    if (drive.lead) {
      Steps("xoxxxoxxxoxxxoxx", time, span, [&](double at, float v, int step) {
        float pitch = chord.tones[(step * 3) % 5] + 12.0f;
        mix.Add(Bus::kMusic, Stab(pitch, kStep * 0.7, v, 2200.0f), at, 0.1f, step % 2 ? 0.5f : -0.5f,
                0.2f, 0.4f);
      });
    }
  });
  if (drive.lead) {
    Tune(kPeakTune, span.start, span, [&](float pitch, double at, double seconds) {
      mix.Add(Bus::kMusic, Lead(pitch, seconds * 0.9, 0.9f), at, 0.42f, 0.0f, 0.35f, 0.3f);
    });
    for (double at = span.start; at < span.end; at += 8 * kBar)
      mix.Add(Bus::kDrums, kit.crash, at, 0.4f, 0.2f, 0.3f, 0.0f);
  }
}

// The interlude card: the drums stop, a pad swells under a falling sweep.
void Break(Mix& mix, const Span& span) {
  double seconds = span.end - span.start;
  mix.Add(Bus::kDrums, synth::MetalHit(1.0f, 220.0f), span.start, 0.4f, 0.0f, 0.8f, 0.4f);
  PadChord(mix, kDm9, span.start, seconds, 0.6f, 0.08f, 0.7f);
  mix.Add(Bus::kMusic, NoiseSweep(seconds, 7000.0f, 400.0f, 0.6f, 92), span.start, 0.4f, 0.0f, 0.6f,
          0.3f);
  mix.Add(Bus::kMusic, Bass(kDm9.root - 12, seconds, 0.6f, 150.0f), span.start, 0.5f, 0.0f, 0.0f, 0.0f);
}

// The end card: the bass drops away under one stroke of the home chord, an
// octave up, in bells over a gong.
void Ending(Mix& mix, const Span& span) {
  mix.Add(Bus::kDrums, synth::MetalHit(0.9f, 440.0f), span.start, 0.5f, 0.0f, 0.8f, 0.3f);
  Chord high = kAm9;
  for (float& tone : high.tones) tone += 12.0f;
  PadChord(mix, high, span.start, kFadeEndSeconds - span.start, 0.7f, 0.035f, 0.7f);
  for (size_t k = 0; k < kAm9.tones.size(); ++k) {
    mix.Add(Bus::kMusic, Bell(high.tones[k], 0.7f), span.start, 0.3f,
            0.3f * (static_cast<float>(k) - 2.0f), 0.6f, 0.4f);
  }
}

}  // namespace

const std::vector<Section>& Sections() {
  static const std::vector<Section> kSections = {
      {"first nature part", 0.0, 47.0, Mood::kCalm},
      {"first machine part", 47.0, 92.0, Mood::kDriving},
      {"interlude card", 92.0, 97.0, Mood::kBreak},
      {"second nature part", 97.0, 109.0, Mood::kCalm},
      {"third machine part", 109.0, 129.0, Mood::kDriving},
      {"second machine part", 129.0, 174.0, Mood::kPeak},
      {"last nature part", 174.0, 194.0, Mood::kCalm},
      {"end card", 194.0, kTrackSeconds, Mood::kEnding},
  };
  return kSections;
}

synth::StereoBuffer RenderScore() {
  Mix mix(kTrackSeconds);
  const DrumKit kit;
  const std::vector<Section>& s = Sections();
  Calm(mix, {s[0].start, s[0].end}, 2, 8, 11);
  Drive machine1{{kAm9, kAm9, kFmaj7, kG6}};
  machine1.clap = machine1.stabs = true;
  machine1.bass_cutoff_hz = 260.0f;
  Driving(mix, kit, {s[1].start, s[1].end}, machine1, 21);
  Break(mix, {s[2].start, s[2].end});
  Calm(mix, {s[3].start, s[3].end}, 0, 0, 31);
  Drive machine3{{kDm9, kDm9, kFmaj7, kEm7}};
  machine3.clap = true;
  machine3.bass_cutoff_hz = 400.0f;
  Driving(mix, kit, {s[4].start, s[4].end}, machine3, 41);
  Drive machine2{{kAm9, kFmaj7, kCmaj7, kG6}};
  machine2.clap = machine2.open_hats = machine2.stabs = machine2.lead = true;
  machine2.bass_cutoff_hz = 520.0f;
  machine2.pad_gain = 0.045f;
  Driving(mix, kit, {s[5].start, s[5].end}, machine2, 51);
  Calm(mix, {s[6].start, s[6].end}, 0, 2, 61);
  Ending(mix, {s[7].start, s[7].end});
  return mix.Finish(kFadeStartSeconds, kFadeEndSeconds);
}

}  // namespace music
