// Writing and reading 16-bit PCM WAV files.
#include "tools/synth/wav.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "tools/synth/dsp.h"

namespace synth {
namespace {

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void PutU16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void PutTag(std::vector<uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

uint32_t GetU32(const uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
uint16_t GetU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

int16_t ToPcm(float sample) {
  float scaled = std::round(sample * 32768.0f);
  return static_cast<int16_t>(std::clamp(scaled, -32768.0f, 32767.0f));
}

}  // namespace

bool WriteWav(const std::string& path, const StereoBuffer& audio) {
  const uint32_t data_bytes = static_cast<uint32_t>(audio.Frames() * 4);
  std::vector<uint8_t> bytes;
  bytes.reserve(44 + data_bytes);
  PutTag(bytes, "RIFF");
  PutU32(bytes, 36 + data_bytes);
  PutTag(bytes, "WAVE");
  PutTag(bytes, "fmt ");
  PutU32(bytes, 16);
  PutU16(bytes, 1);  // PCM
  PutU16(bytes, 2);
  PutU32(bytes, kSampleRate);
  PutU32(bytes, kSampleRate * 4);
  PutU16(bytes, 4);
  PutU16(bytes, 16);
  PutTag(bytes, "data");
  PutU32(bytes, data_bytes);
  for (size_t i = 0; i < audio.Frames(); ++i) {
    PutU16(bytes, static_cast<uint16_t>(ToPcm(audio.left[i])));
    PutU16(bytes, static_cast<uint16_t>(ToPcm(audio.right[i])));
  }
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

bool ReadWav(const std::string& path, WavAudio& out, std::string& error) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    error = "cannot open " + path;
    return false;
  }
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
      std::memcmp(bytes.data() + 8, "WAVE", 4) != 0) {
    error = "not a RIFF WAVE file";
    return false;
  }
  int channels = 0, bits = 0;
  size_t pos = 12;
  while (pos + 8 <= bytes.size()) {
    const uint8_t* chunk = bytes.data() + pos;
    size_t available = bytes.size() - pos - 8;
    // A streamed writer may leave the size unknown (too large): take what is there.
    size_t size = std::min<size_t>(GetU32(chunk + 4), available);
    const uint8_t* body = chunk + 8;
    if (std::memcmp(chunk, "fmt ", 4) == 0) {
      if (size < 16) break;
      uint16_t format = GetU16(body);
      channels = GetU16(body + 2);
      out.sample_rate = static_cast<int>(GetU32(body + 4));
      bits = GetU16(body + 14);
      if ((format != 1 && format != 0xFFFE) || bits != 16 || channels < 1 || channels > 2 ||
          out.sample_rate <= 0) {
        error = "only 16-bit PCM with one or two channels is read";
        return false;
      }
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      if (channels == 0) break;
      size_t frames = size / (2u * static_cast<size_t>(channels));
      out.audio = StereoBuffer(frames);
      for (size_t i = 0; i < frames; ++i) {
        const uint8_t* frame = body + i * 2 * channels;
        out.audio.left[i] = static_cast<int16_t>(GetU16(frame)) / 32768.0f;
        out.audio.right[i] = static_cast<int16_t>(GetU16(frame + 2 * (channels - 1))) / 32768.0f;
      }
      return true;
    }
    pos += 8 + size + (size & 1);
  }
  error = "no format before the sample data";
  return false;
}

}  // namespace synth
