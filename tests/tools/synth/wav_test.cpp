#include "tools/synth/wav.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "tools/synth/dsp.h"
#include "tools/synth/loudness.h"

namespace synth {
namespace {

std::string Shell(const std::string& command) {
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return output;
  char buffer[256];
  while (fgets(buffer, sizeof buffer, pipe)) output += buffer;
  pclose(pipe);
  return output;
}

std::vector<char> Bytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void Save(const std::string& path, const std::vector<char>& bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

TEST(Wav, SoxReadsWhatWeWrite) {
  StereoBuffer audio(12345);
  for (size_t i = 0; i < audio.Frames(); ++i) {
    audio.left[i] = 0.5f * std::sin(static_cast<float>(i) * 0.1f);
    audio.right[i] = -0.25f;
  }
  ASSERT_TRUE(WriteWav("written.wav", audio));
  EXPECT_EQ(Shell("sox --i -s written.wav"), "12345\n");
  EXPECT_EQ(Shell("sox --i -r written.wav"), "44100\n");
  EXPECT_EQ(Shell("sox --i -c written.wav"), "2\n");
  // Right channel alone: a constant -0.25.
  std::string stats = Shell("sox written.wav -n remix 2 stats 2>&1");
  EXPECT_NE(stats.find("DC offset  -0.250000"), std::string::npos) << stats;
}

TEST(Wav, ReadsWhatSoxWrites) {
  ASSERT_EQ(std::system("sox -n -r 22050 -c 1 -b 16 sox_tone.wav synth 1 sine 1000 vol 0.5"), 0);
  WavAudio wav;
  std::string error;
  ASSERT_TRUE(ReadWav("sox_tone.wav", wav, error)) << error;
  EXPECT_EQ(wav.sample_rate, 22050);
  EXPECT_EQ(wav.audio.Frames(), 22050u);
  EXPECT_NEAR(SamplePeak(wav.audio), 0.5f, 0.01f);
  EXPECT_EQ(wav.audio.left, wav.audio.right);  // mono on both sides
}

TEST(Wav, RoundTripKeepsSixteenBitSamples) {
  StereoBuffer audio(3);
  audio.left = {0.0f, 0.5f, -1.0f};
  audio.right = {1.5f, -0.25f, 32767.0f / 32768.0f};  // 1.5 clamps
  ASSERT_TRUE(WriteWav("roundtrip.wav", audio));
  WavAudio wav;
  std::string error;
  ASSERT_TRUE(ReadWav("roundtrip.wav", wav, error)) << error;
  EXPECT_EQ(wav.audio.left, audio.left);
  EXPECT_EQ(wav.audio.right, (std::vector<float>{32767.0f / 32768.0f, -0.25f, 32767.0f / 32768.0f}));
}

TEST(Wav, MalformedFilesAreRefusedOrTrimmed) {
  StereoBuffer audio(100);
  ASSERT_TRUE(WriteWav("whole.wav", audio));
  std::vector<char> whole = Bytes("whole.wav");
  WavAudio wav;
  std::string error;
  // Every truncation: refused before the data chunk, trimmed inside it.
  for (size_t length = 0; length < whole.size(); ++length) {
    Save("cut.wav", std::vector<char>(whole.begin(), whole.begin() + length));
    bool read = ReadWav("cut.wav", wav, error);
    EXPECT_EQ(read, length >= 44) << length;
    if (read) {
      EXPECT_EQ(wav.audio.Frames(), (length - 44) / 4);
    }
  }
  // A chunk size that points far past the end of the file.
  std::vector<char> lying = whole;
  lying[16] = lying[17] = lying[18] = lying[19] = '\xff';
  Save("lying.wav", lying);
  EXPECT_FALSE(ReadWav("lying.wav", wav, error));
  // Eight-bit samples are not read.
  std::vector<char> eight = whole;
  eight[34] = 8;
  Save("eight.wav", eight);
  EXPECT_FALSE(ReadWav("eight.wav", wav, error));
  EXPECT_FALSE(ReadWav("no_such_file.wav", wav, error));
}

}  // namespace
}  // namespace synth
