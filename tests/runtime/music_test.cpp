#include "runtime/music.h"

#include <gtest/gtest.h>

#include <SDL/SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::string Stderr(bool (*op)()) {
  testing::internal::CaptureStderr();
  op();
  return testing::internal::GetCapturedStderr();
}

TEST(Music, WithoutSoundEveryOperationSucceedsSilently) {
  SetSoundEnabled(false);
  testing::internal::CaptureStderr();
  EXPECT_TRUE(MusicInit(44100));
  EXPECT_TRUE(MusicLoad("no-such-file.mp3"));
  EXPECT_TRUE(MusicPlay());
  EXPECT_TRUE(MusicStop());
  EXPECT_TRUE(MusicFree());
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  SetSoundEnabled(true);
}

TEST(Music, MissingFileShowsLoadThenPlayErrors) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  SetSoundEnabled(true);
  ASSERT_TRUE(MusicInit(44100));
  testing::internal::CaptureStderr();
  EXPECT_FALSE(MusicLoad("no-such-file.mp3"));
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error\nUnable to load demo.mp3\n(error code: 3)\n");
  EXPECT_EQ(Stderr(MusicPlay), "Error\nError while starting to play music!\n(error code: 5)\n");
  EXPECT_TRUE(MusicStop());
  EXPECT_TRUE(MusicFree());
}

TEST(Music, WithoutASoundDeviceTheShowRunsSilentAfterTheMessages) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  SetSoundEnabled(true);
  testing::internal::CaptureStderr();
  EXPECT_FALSE(MusicInit(44100));
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error\nCan't initialize digital sound system\n(error code: 1)\n");
  testing::internal::CaptureStderr();
  EXPECT_FALSE(MusicLoad("no-such-file.mp3"));
  EXPECT_FALSE(MusicPlay());
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Error\nUnable to load demo.mp3\n(error code: 2)\nError\nError while starting to play music!\n(error "
            "code: 2)\n");
  EXPECT_TRUE(MusicStop());
  EXPECT_TRUE(MusicFree());
  setenv("SDL_AUDIODRIVER", "dummy", 1);
}

TEST(Music, NotAnMp3IsAFormatError) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  const auto path = std::filesystem::temp_directory_path() / "demo_music_test_garbage.txt";
  std::ofstream(path) << "This is a text file, not music.\n";
  ASSERT_TRUE(MusicInit(44100));
  testing::internal::CaptureStderr();
  EXPECT_FALSE(MusicLoad(path.c_str()));
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error\nUnable to load demo.mp3\n(error code: 4)\n");
  MusicFree();
  std::filesystem::remove(path);
}

// Encodes a second of a 440 Hz tone with lame, plays it through the disk
// audio driver and finds the tone's energy in the written samples, after
// the silence that the device wrote while the stream was loaded but not
// yet playing.
TEST(Music, PlaysAnMp3ToTheAudioDeviceOnlyOncePlayed) {
  const auto dir = std::filesystem::temp_directory_path() / "demo_music_test";
  std::filesystem::create_directories(dir);
  const auto raw = dir / "tone.raw", mp3 = dir / "tone.mp3", out = dir / "out.raw";
  {
    std::ofstream f(raw, std::ios::binary);
    for (int i = 0; i < 44100 * 2; ++i) {
      const short s = static_cast<short>(12000 * std::sin(2 * M_PI * 440 * i / 44100.0));
      f.write(reinterpret_cast<const char*>(&s), 2);
      f.write(reinterpret_cast<const char*>(&s), 2);
    }
  }
  const std::string cmd = "lame --quiet -r -s 44.1 --bitwidth 16 --signed --little-endian -m s " + raw.string() + " " +
                          mp3.string();
  ASSERT_EQ(std::system(cmd.c_str()), 0) << "lame is needed for this test";
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", out.c_str(), 1);
  setenv("SDL_DISKAUDIODELAY", "1", 1);
  ASSERT_TRUE(MusicInit(44100));
  ASSERT_TRUE(MusicLoad(mp3.c_str()));
  SDL_Delay(300);
  ASSERT_TRUE(MusicPlay());
  SDL_Delay(700);
  MusicStop();
  MusicFree();

  std::ifstream f(out, std::ios::binary);
  std::vector<short> samples;
  short s;
  while (f.read(reinterpret_cast<char*>(&s), 2)) samples.push_back(s);
  ASSERT_GT(samples.size(), 44100u / 4) << "the device wrote audio";
  const auto firstSound = std::find_if(samples.begin(), samples.end(), [](short v) { return v != 0; });
  EXPECT_GE(firstSound - samples.begin(), 4096 * 2) << "at least one whole buffer of silence before play";
  int peak = 0;
  for (short v : samples) peak = std::max(peak, std::abs(static_cast<int>(v)));
  EXPECT_GT(peak, 6000) << "the tone reached the output";
  std::filesystem::remove_all(dir);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
}

}  // namespace
