#include "runtime/music.h"

#include <gtest/gtest.h>

#include <SDL/SDL.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

template <class F>
std::string Stderr(F op) {
  testing::internal::CaptureStderr();
  op();
  return testing::internal::GetCapturedStderr();
}

const std::string kLoadError = "Error\nUnable to load demo.mp3\n(error code: ";
const std::string kPlayError = "Error\nError while starting to play music!\n(error code: ";

TEST(Music, WithoutSoundEveryOperationSucceedsSilently) {
  SetSoundEnabled(false);
  EXPECT_EQ(Stderr([] {
              EXPECT_TRUE(MusicInit(44100));
              EXPECT_TRUE(MusicLoad("no-such-file.mp3"));
              EXPECT_TRUE(MusicPlay());
              EXPECT_TRUE(MusicStop());
              EXPECT_TRUE(MusicFree());
            }),
            "");
  SetSoundEnabled(true);
}

TEST(Music, MissingOrGarbledFileShowsLoadThenPlayErrors) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  SetSoundEnabled(true);
  ASSERT_TRUE(MusicInit(44100));
  EXPECT_EQ(Stderr([] { EXPECT_FALSE(MusicLoad("no-such-file.mp3")); }), kLoadError + "3)\n");
  EXPECT_EQ(Stderr(MusicPlay), kPlayError + "5)\n");
  const auto path = std::filesystem::temp_directory_path() / "demo_music_test_garbage.txt";
  std::ofstream(path) << "This is a text file, not music.\n";
  EXPECT_EQ(Stderr([&] { EXPECT_FALSE(MusicLoad(path.c_str())); }), kLoadError + "4)\n");
  std::filesystem::remove(path);
  EXPECT_TRUE(MusicStop());
  EXPECT_TRUE(MusicFree());
}

TEST(Music, WithoutASoundDeviceTheShowRunsSilentAfterTheMessages) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  SetSoundEnabled(true);
  EXPECT_EQ(Stderr([] { EXPECT_FALSE(MusicInit(44100)); }),
            "Error\nCan't initialize digital sound system\n(error code: 1)\n");
  EXPECT_EQ(Stderr([] {
              EXPECT_FALSE(MusicLoad("no-such-file.mp3"));
              EXPECT_FALSE(MusicPlay());
            }),
            kLoadError + "2)\n" + kPlayError + "2)\n");
  EXPECT_TRUE(MusicStop());
  EXPECT_TRUE(MusicFree());
  setenv("SDL_AUDIODRIVER", "dummy", 1);
}

// A 440 Hz tone from sox, encoded by lame, through the disk driver: silence while loaded, the tone once played.
TEST(Music, PlaysAnMp3ToTheAudioDeviceOnlyOncePlayed) {
  const auto dir = std::filesystem::temp_directory_path() / "demo_music_test";
  std::filesystem::create_directories(dir);
  const auto mp3 = dir / "tone.mp3", out = dir / "out.raw";
  const std::string cmd = "sox -n -r 44100 -c 2 -b 16 -e signed -t raw - synth 2 sine 440 vol 0.366 | lame --quiet -r "
                          "-s 44.1 --bitwidth 16 --signed --little-endian -m s - " + mp3.string() + " 2>/dev/null";
  ASSERT_EQ(std::system(cmd.c_str()), 0) << "sox and lame are needed for this test";
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
  for (short s; f.read(reinterpret_cast<char*>(&s), 2);) samples.push_back(s);
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
