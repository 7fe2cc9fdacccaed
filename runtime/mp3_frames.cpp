// Walking an MP3 file's ID3 tag and frame headers to its end.
#include "runtime/mp3_frames.h"

#include <cstring>

namespace {

constexpr size_t kFrameHeaderSize = 4;
constexpr size_t kId3v2HeaderSize = 10;
constexpr size_t kId3v2FooterSize = 10;

// Bit rates in kbit/s by bit-rate index 1 to 14: MPEG 1 layers I, II, III,
// then MPEG 2 and 2.5 layer I, and layers II and III.
constexpr int kBitRates[5][15] = {
    {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320},
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},
};
constexpr int kMpeg1SampleRates[3] = {44100, 48000, 32000};

// The length in bytes of the frame whose header starts at p; 0 when p holds
// no valid header (or a free-format one, whose length the header omits).
size_t FrameLength(const uint8_t* p) {
  if (p[0] != 0xFF || (p[1] & 0xE0) != 0xE0) return 0;
  const int version = (p[1] >> 3) & 3;  // 0: MPEG 2.5, 2: MPEG 2, 3: MPEG 1
  const int layer = 4 - ((p[1] >> 1) & 3);
  const int bit_rate_index = p[2] >> 4;
  const int sample_rate_index = (p[2] >> 2) & 3;
  const int padding = (p[2] >> 1) & 1;
  if (version == 1 || layer == 4 || bit_rate_index == 0 || bit_rate_index == 15 || sample_rate_index == 3) return 0;
  const bool mpeg1 = version == 3;
  const int table = mpeg1 ? layer - 1 : (layer == 1 ? 3 : 4);
  const long bit_rate = kBitRates[table][bit_rate_index] * 1000L;
  const long sample_rate = kMpeg1SampleRates[sample_rate_index] >> (mpeg1 ? 0 : version == 2 ? 1 : 2);
  if (layer == 1) return size_t((12 * bit_rate / sample_rate + padding) * 4);
  const long slots = layer == 3 && !mpeg1 ? 72 : 144;
  return size_t(slots * bit_rate / sample_rate + padding);
}

bool StartsWith(const uint8_t* p, size_t left, const char* tag) {
  const size_t n = std::strlen(tag);
  return left >= n && std::memcmp(p, tag, n) == 0;
}

// Bytes taken by an ID3v2 tag at the start: its header, its syncsafe size
// and the footer its flags announce.
size_t Id3v2Size(const uint8_t* bytes, size_t size) {
  if (size < kId3v2HeaderSize || !StartsWith(bytes, size, "ID3")) return 0;
  size_t body = 0;
  for (int i = 6; i < 10; ++i) body = body << 7 | (bytes[i] & 0x7F);
  const bool footer = bytes[5] & 0x10;
  return kId3v2HeaderSize + body + (footer ? kId3v2FooterSize : 0);
}

}  // namespace

bool IsWholeMp3Stream(const uint8_t* bytes, size_t size) {
  size_t at = Id3v2Size(bytes, size);
  size_t frames = 0;
  while (at < size) {
    const size_t left = size - at;
    if (frames > 0 && (StartsWith(bytes + at, left, "TAG") || StartsWith(bytes + at, left, "APETAGEX"))) break;
    const size_t length = left >= kFrameHeaderSize ? FrameLength(bytes + at) : 0;
    if (length < kFrameHeaderSize || length > left) return false;
    at += length;
    ++frames;
  }
  return frames > 0;
}
