// MP3 encoding of the soundtrack through libmp3lame.
#pragma once

#include <string>

#include "tools/synth/mixer.h"

namespace music {

// Constant bit rate, joint stereo, with the LAME tag so that decoders trim
// the encoder's delay and padding. Returns false with a reason in `error`.
bool EncodeMp3(const synth::StereoBuffer& audio, int kilobits, const std::string& path,
               std::string& error);

}  // namespace music
