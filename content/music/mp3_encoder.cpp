// Encoding the mastered soundtrack to MP3 with libmp3lame.
#include "content/music/mp3_encoder.h"

#include <lame/lame.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "tools/synth/dsp.h"

namespace music {
namespace {

struct LameCloser {
  void operator()(lame_global_flags* flags) const { lame_close(flags); }
};
struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

bool EncodeMp3(const synth::StereoBuffer& audio, int kilobits, const std::string& path,
               std::string& error) {
  std::unique_ptr<lame_global_flags, LameCloser> lame(lame_init());
  if (!lame) {
    error = "lame_init failed";
    return false;
  }
  lame_set_in_samplerate(lame.get(), synth::kSampleRate);
  lame_set_out_samplerate(lame.get(), synth::kSampleRate);
  lame_set_num_channels(lame.get(), 2);
  lame_set_mode(lame.get(), JOINT_STEREO);
  lame_set_brate(lame.get(), kilobits);
  lame_set_quality(lame.get(), 5);
  lame_set_bWriteVbrTag(lame.get(), 1);
  if (lame_init_params(lame.get()) < 0) {
    error = "lame rejected the settings";
    return false;
  }
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) {
    error = "cannot write " + path;
    return false;
  }
  constexpr size_t kChunk = 8192;
  std::vector<unsigned char> mp3(kChunk * 5 / 4 + 7200);
  bool written = true;
  auto write = [&](int bytes) {
    if (bytes < 0) return false;
    written &= std::fwrite(mp3.data(), 1, static_cast<size_t>(bytes), file.get()) ==
               static_cast<size_t>(bytes);
    return true;
  };
  for (size_t at = 0; at < audio.Frames(); at += kChunk) {
    int count = static_cast<int>(std::min(kChunk, audio.Frames() - at));
    if (!write(lame_encode_buffer_ieee_float(lame.get(), audio.left.data() + at,
                                             audio.right.data() + at, count, mp3.data(),
                                             static_cast<int>(mp3.size())))) {
      error = "lame failed to encode";
      return false;
    }
  }
  if (!write(lame_encode_flush(lame.get(), mp3.data(), static_cast<int>(mp3.size())))) {
    error = "lame failed to flush";
    return false;
  }
  // The LAME tag replaces the empty first frame written at the start.
  std::vector<unsigned char> tag(mp3.size());
  size_t tag_bytes = lame_get_lametag_frame(lame.get(), tag.data(), tag.size());
  if (tag_bytes > 0 && tag_bytes <= tag.size()) {
    written &= std::fseek(file.get(), 0, SEEK_SET) == 0;
    written &= std::fwrite(tag.data(), 1, tag_bytes, file.get()) == tag_bytes;
  }
  if (!written || std::fflush(file.get()) != 0) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}

}  // namespace music
