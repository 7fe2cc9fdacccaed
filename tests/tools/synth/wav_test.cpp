#include "tools/synth/wav.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "tests/tools/files.h"
#include "tools/synth/dsp.h"
#include "tools/synth/loudness.h"

namespace synth {
namespace {

std::string Output(const std::string& command) {
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  char buffer[256];
  while (pipe && fgets(buffer, sizeof buffer, pipe)) output += buffer;
  if (pipe) pclose(pipe);
  return output;
}

TEST(Wav, SoxReadsWhatWeWrite) {
  StereoBuffer audio(12345);
  for (size_t i = 0; i < audio.Frames(); ++i) {
    audio.left[i] = 0.5f * std::sin(static_cast<float>(i) * 0.1f);
    audio.right[i] = -0.25f;
  }
  ASSERT_TRUE(WriteWav("written.wav", audio));
  EXPECT_EQ(Output("sox --i -s written.wav; sox --i -r written.wav; sox --i -c written.wav"), "12345\n44100\n2\n");
  const std::string stats = Output("sox written.wav -n remix 2 stats 2>&1");  // right alone: -0.25
  EXPECT_NE(stats.find("DC offset  -0.250000"), std::string::npos) << stats;
}

TEST(Wav, ReadsWhatSoxWritesAndKeepsSixteenBitSamples) {
  ASSERT_EQ(std::system("sox -n -r 22050 -c 1 -b 16 sox_tone.wav synth 1 sine 1000 vol 0.5"), 0);
  WavAudio wav;
  std::string error;
  ASSERT_TRUE(ReadWav("sox_tone.wav", wav, error)) << error;
  EXPECT_EQ(wav.sample_rate, 22050);
  EXPECT_EQ(wav.audio.Frames(), 22050u);
  EXPECT_NEAR(SamplePeak(wav.audio), 0.5f, 0.01f);
  EXPECT_EQ(wav.audio.left, wav.audio.right);  // mono on both sides

  StereoBuffer audio(3);
  audio.left = {0.0f, 0.5f, -1.0f};
  audio.right = {1.5f, -0.25f, 32767.0f / 32768.0f};  // 1.5 clamps
  ASSERT_TRUE(WriteWav("roundtrip.wav", audio));
  ASSERT_TRUE(ReadWav("roundtrip.wav", wav, error)) << error;
  EXPECT_EQ(wav.audio.left, audio.left);
  EXPECT_EQ(wav.audio.right, (std::vector<float>{32767.0f / 32768.0f, -0.25f, 32767.0f / 32768.0f}));
}

TEST(Wav, MalformedFilesAreRefusedOrTrimmed) {
  ASSERT_TRUE(WriteWav("whole.wav", StereoBuffer(100)));
  const std::vector<char> whole = ReadAll<char>("whole.wav");
  WavAudio wav;
  std::string error;
  // Every truncation: refused before the data chunk, trimmed inside it.
  for (size_t length = 0; length < whole.size(); ++length) {
    WriteAll("cut.wav", std::vector<char>(whole.begin(), whole.begin() + length));
    const bool read = ReadWav("cut.wav", wav, error);
    EXPECT_EQ(read, length >= 44) << length;
    if (read) { EXPECT_EQ(wav.audio.Frames(), (length - 44) / 4); }
  }
  std::vector<char> lying = whole;  // a chunk size far past the end of the file
  lying[16] = lying[17] = lying[18] = lying[19] = '\xff';
  WriteAll("lying.wav", lying);
  EXPECT_FALSE(ReadWav("lying.wav", wav, error));
  std::vector<char> eight = whole;  // eight-bit samples are not read
  eight[34] = 8;
  WriteAll("eight.wav", eight);
  EXPECT_FALSE(ReadWav("eight.wav", wav, error));
  EXPECT_FALSE(ReadWav("no_such_file.wav", wav, error));
}

}  // namespace
}  // namespace synth
