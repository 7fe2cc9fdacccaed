// The runtime without a GL window.
#include "runtime/clock.h"
#include "runtime/extensions.h"
#include "runtime/fatal.h"
#include "runtime/music.h"
#include "runtime/options.h"
#include "runtime/picture_area.h"
#include "runtime/show.h"

#include <gtest/gtest.h>
#include <SDL/SDL.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace fatal_test {

TEST(Fatal, ZeroStatusShowsTheBoxAndReturns) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(FatalError(0, "Demo datafile '%s' not found!", "demo.dat"), 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Demo datafile 'demo.dat' not found!\nError\n");
}

TEST(Fatal, LongMessagesAreShownWhole) {
  const std::string word(250, 'x');
  const ExitHandler old = SetExitHandler([](int status) { throw status; });
  testing::internal::CaptureStderr();
  int status = 0;
  try {
    FatalError(1, "%s|%s|%d", word.c_str(), word.c_str(), 12345);
  } catch (int s) {
    status = s;
  }
  SetExitHandler(old);
  EXPECT_EQ(status, 1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), word + "|" + word + "|12345\nError\n");
}

TEST(Fatal, EndsTheProcessWithTheStatus) {
  EXPECT_EXIT(FatalError(1, "Unable to initialize SDL: %s", "no video"), testing::ExitedWithCode(1),
              "Unable to initialize SDL: no video\nError");
  EXPECT_EXIT(FatalError(-1, "bad"), testing::ExitedWithCode(255), "bad");
}

}  // namespace

namespace clock_test {

// TheClock()/InstallClock are covered by the Present test in gl_test.
TEST(FixedStepClock, AdvancesOneStepPerPresentedFrame) {
  FixedStepClock clock(50);
  EXPECT_EQ(clock.Read(), 0.0);
  for (int i = 0; i < 25; ++i) clock.FramePresented();
  EXPECT_DOUBLE_EQ(clock.Read(), 0.5);
  clock.Reset();
  EXPECT_EQ(clock.Read(), 0.0);
  clock.FramePresented();
  EXPECT_DOUBLE_EQ(clock.Read(), 0.02);
  EXPECT_DOUBLE_EQ(clock.Read(), 0.02) << "reading changes nothing";
}

TEST(RealTimeClock, StartsNearZeroAndNeverGoesBack) {
  RealTimeClock clock;
  clock.Reset();
  const double a = clock.Read();
  EXPECT_TRUE(a >= 0.0 && a < 1.0) << a;
  EXPECT_GE(clock.Read(), a);
}

}  // namespace

namespace options_test {

Options Parse(std::vector<const char*> args, bool expect_ok = true) {
  args.insert(args.begin(), "demo");
  Options o;
  std::string error;
  EXPECT_EQ(ParseCommandLine(static_cast<int>(args.size()), args.data(), &o, &error), expect_ok) << error;
  return o;
}

TEST(Options, NosoundOnlyAsTheFirstArgumentInAnyCaseOthersIgnored) {
  for (auto args : std::vector<std::vector<const char*>>{{"-nosound"}, {"-NOSOUND"}, {"-NoSound", "--window"}})
    EXPECT_FALSE(Parse(args).sound) << args[0];
  for (auto args : std::vector<std::vector<const char*>>{{}, {"--window", "-nosound"}, {"-nosoundx"}, {"nosound"}})
    EXPECT_TRUE(Parse(args).sound);
  const Options o = Parse({"whatever", "-x", "42"});
  EXPECT_TRUE(o.sound);
  EXPECT_FALSE(o.windowed);
  EXPECT_EQ(o.fps, 0);
}

TEST(Options, LongOptions) {
  const Options o = Parse({"-nosound", "--window", "--fps", "50", "--frames", "out", "--seed", "7", "--frame-log"});
  EXPECT_FALSE(o.sound);
  EXPECT_TRUE(o.windowed);
  EXPECT_EQ(o.fps, 50);
  EXPECT_EQ(o.frames_dir, "out");
  EXPECT_TRUE(o.seeded);
  EXPECT_EQ(o.seed, 7u);
  EXPECT_TRUE(o.frame_log);
  EXPECT_TRUE(Parse({"--help"}).help);
  for (auto args : std::vector<std::vector<const char*>>{
           {"--fps"}, {"--fps", "0"}, {"--fps", "-3"}, {"--fps", "12x"}, {"--seed", "99999999999"}, {"--frames"}, {"--bogus"}})
    Parse(args, false);
}

TEST(Options, TimedemoCapturePartAndSeconds) {
  const Options t = Parse({"--timedemo-csv", "t.csv", "--part", "techno3", "--seconds", "2.5"});
  EXPECT_TRUE(t.timedemo) << "the CSV implies the timedemo";
  EXPECT_EQ(t.timedemo_csv, "t.csv");
  EXPECT_STREQ(ShowStateName(t.first_state), "Techno3");
  EXPECT_EQ(t.seconds, 2.5);
  EXPECT_TRUE(t.part_chosen);
  const Options c = Parse({"--capture", "show.mp4", "--fps", "30"});
  EXPECT_EQ(c.capture_file, "show.mp4");
  EXPECT_FALSE(c.part_chosen);
  const struct { Options options; int fps; } rates[] = {{t, 60}, {c, 30}, {Parse({"--fps", "25"}), 25}, {Parse({}), 0}};
  for (const auto& r : rates) EXPECT_EQ(FixedStepFps(r.options), r.fps);
  const char* const names[] = {"natu1", "TECHNO1", "Interlude", "natu2", "techno3", "Techno2", "NATU3", "End"};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(Parse({"--part", names[i]}).first_state, i + 1) << names[i];
  for (auto args : std::vector<std::vector<const char*>>{{"--part"}, {"--part", "natu4"}, {"--part", "loading"},
                                                         {"--seconds", "0"}, {"--seconds", "-1"}, {"--seconds", "nan"},
                                                         {"--seconds", "2s"}, {"--capture"}, {"--timedemo-csv"},
                                                         {"--timedemo", "--capture", "x.mp4"}})
    Parse(args, false);
}

TEST(Options, SizeAndSamples) {
  const Options o = Parse({"--size", "1920x1080", "--aa", "4"});
  EXPECT_EQ(o.width, 1920);
  EXPECT_EQ(o.height, 1080);
  EXPECT_EQ(o.samples, 4);
  EXPECT_TRUE(Parse({"--size", "native"}).native_size);
  EXPECT_TRUE(Parse({"--size", "Native"}).native_size);
  const Options plain = Parse({});
  EXPECT_EQ(plain.width, 0);
  EXPECT_EQ(plain.samples, 1);
  for (const char* size : {"0x480", "640x0", "-640x480", "640x-480", "641x480", "640x481", "32768x2", "1280", "1280x",
                           "x960", "1280x960x2", "1280 x960", "big"})
    Parse({"--size", size}, false);
  for (auto args :
       std::vector<std::vector<const char*>>{{"--size"}, {"--aa"}, {"--aa", "0"}, {"--aa", "17"}, {"--aa", "x"}})
    Parse(args, false);
}

}  // namespace

// The picture in frames of each shape: as large as fits, centred.
TEST(PictureArea, CentredInFramesOfEveryShape) {
  const struct {
    int frame_width, frame_height, x, y, width, height;
  } cases[] = {{640, 480, 0, 0, 640, 480},     {1280, 960, 0, 0, 1280, 960},    {1920, 1080, 240, 0, 1440, 1080},
               {1280, 1024, 0, 32, 1280, 960}, {1280, 800, 107, 0, 1066, 800}, {3840, 2160, 480, 0, 2880, 2160}};
  for (const auto& c : cases) {
    const PictureArea a = PictureArea::Centred(c.frame_width, c.frame_height);
    EXPECT_EQ((std::array<int, 4>{a.x, a.y, a.width, a.height}), (std::array<int, 4>{c.x, c.y, c.width, c.height}))
        << c.frame_width << "x" << c.frame_height;
    EXPECT_EQ(a.FillsFrame(), c.width == c.frame_width && c.height == c.frame_height);
    EXPECT_FLOAT_EQ(a.Scale(), c.height / 480.0f);
  }
  EXPECT_EQ(PictureArea().FrameSize(), "640x480");
}

namespace extensions_test {

std::vector<std::string> gAsked;

// Hands out a distinct fake address per name; lacks "glLockArraysEXT".
void* FakeLoader(const char* name) {
  gAsked.push_back(name);
  if (std::string(name) == "glLockArraysEXT") return nullptr;
  return reinterpret_cast<void*>(0x1000 + gAsked.size());
}

bool Load(const char* extensions, GLExtensions* table) {
  gAsked.clear();
  testing::internal::CaptureStdout();
  const bool ok = LoadExtensions(extensions, FakeLoader, table);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), ok ? "" : "** Environment combining not supported!\n");
  return ok;
}

TEST(Extensions, BothExtensionsFetchTheTableInOrder) {
  GLExtensions t;
  ASSERT_TRUE(Load("GL_EXT_texture_env_combine GL_ARB_multitexture", &t));
  EXPECT_EQ(gAsked, (std::vector<std::string>{
                        "glBlendColorEXT", "glBlendEquation", "glMultiTexCoord1fARB", "glMultiTexCoord2fARB",
                        "glMultiTexCoord3fARB", "glMultiTexCoord4fARB", "glActiveTextureARB",
                        "glClientActiveTextureARB", "glLockArraysEXT", "glUnlockArraysEXT", "wglAllocateMemoryNV"}));
  EXPECT_EQ(reinterpret_cast<void*>(t.glBlendColorEXT), reinterpret_cast<void*>(0x1001));
  EXPECT_EQ(reinterpret_cast<void*>(t.glActiveTextureARB), reinterpret_cast<void*>(0x1007));
  EXPECT_EQ(t.glLockArraysEXT, nullptr) << "an entry point the driver lacks stays null";
  EXPECT_NE(t.wglAllocateMemoryNV, nullptr);
  GLExtensions substrings;
  EXPECT_TRUE(Load("GL_ARB_multitexture_extra GL_EXT_texture_env_combine_more", &substrings));
  EXPECT_NE(substrings.glMultiTexCoord2fARB, nullptr);
}

TEST(Extensions, MissingCombineLeavesEveryEntryPointNull) {
  GLExtensions t;
  t.glActiveTextureARB = reinterpret_cast<PFNGLACTIVETEXTUREARBPROC>(0x1);
  EXPECT_FALSE(Load("GL_ARB_multitexture GL_EXT_blend_color", &t));
  EXPECT_TRUE(gAsked.empty());
  EXPECT_EQ(t.glActiveTextureARB, nullptr);
  EXPECT_EQ(t.glBlendColorEXT, nullptr);
  for (const char* list : {"GL_EXT_texture_env_combine", "", static_cast<const char*>(nullptr)})
    EXPECT_FALSE(Load(list, &t));
}

}  // namespace

namespace show_test {

struct FakeClock : ShowClock {
  void Reset() override { ++resets; }
  double Read() const override { return 0.0; }
  int resets = 0;
};

std::vector<std::string> gLog;

struct FakePart : Effect {
  FakePart(std::string name, bool loads = true) : name(std::move(name)), loads(loads) {}
  bool Load() override { return loads; }
  void Begin() override { gLog.push_back(name + ".begin"); }
  void WarmUp() override { gLog.push_back(name + ".warm-up"); }
  bool Frame(float t) override { return gLog.push_back(name + ".frame " + std::to_string(t)), true; }
  std::string name;
  bool loads;
};

// Pictures are checked by pixel read-back in tests/parts/intro_test.
struct FakeStage : ShowStage {
  std::unique_ptr<Effect> CreateIntro() override { return make_intro ? std::make_unique<FakePart>("intro", intro_loads) : nullptr; }
  bool LoadingStep(float, ShowParts& parts) override {
    gLog.push_back("loading");
    for (int state = 0; state < kShowStates; ++state)
      if (TimelineAt(state).kind == StateKind::Part) parts.scene[state] = std::make_unique<FakePart>(ShowStateName(state));
    return true;
  }
  void KeepFrames(bool keep) override { keeping = keep; }
  void DrawKeptFrame() override { ++kept_frames_drawn; }
  void DrawPicture(Picture, float) override {}
  void Fade(float, float, float, float) override {}
  void Present() override { ++presents; }
  void DisableLights() override { gLog.push_back("lights off"); }
  void StartMusic(double at) override { gLog.push_back("music at " + std::to_string(at)); }
  bool make_intro = true, intro_loads = true;
  int presents = 0;
  bool keeping = false;
  int kept_frames_drawn = 0;
};

class ShowTest : public ::testing::Test {
 protected:
  void SetUp() override { gLog.clear(); }
  std::vector<std::string>& log_ = gLog;
  FakeStage stage_;
  FakeClock clock_;
  DemoPart1 show_{stage_, clock_};
};

TEST_F(ShowTest, LoadCreatesTheIntroAndPassesOnItsResult) {
  EXPECT_TRUE(show_.Load());
  EXPECT_NE(show_.Parts().intro, nullptr);
  stage_.intro_loads = false;
  EXPECT_FALSE(show_.Load());
  stage_.make_intro = false;
  EXPECT_FALSE(show_.Load());
}

// Each part: one frame just before its end, then the switch frame that reaches it; an undefined time counts as reached.
TEST_F(ShowTest, PartsPlayInTimelineOrderForTheirDurations) {
  show_.Frame(0.0f);
  const struct { int state; std::string part; float duration; } timeline[] = {{1, "Natu1", 47}, {2, "Techno1", 45}, {4, "Natu2", 12},
                  {5, "Techno3", 20}, {6, "Techno2", 45}, {7, "Natu3", 20}};
  for (const auto& step : timeline) {
    if (show_.State() == 3) show_.Frame(5.0f);  // interlude over
    log_.clear();
    ASSERT_EQ(show_.State(), step.state);
    const float last = std::nextafter(step.duration, 0.0f);
    show_.Frame(last);
    EXPECT_EQ(log_, (std::vector<std::string>{step.part + ".begin", step.part + ".frame " + std::to_string(last)}));
    log_.clear();
    const int resets = clock_.resets;
    EXPECT_TRUE(show_.Frame(step.state == 1 ? std::numeric_limits<float>::quiet_NaN() : step.duration));
    EXPECT_EQ(log_, std::vector<std::string>{"lights off"}) << step.part << ": the switch frame draws nothing";
    EXPECT_EQ(clock_.resets, resets + 1);
    EXPECT_EQ(show_.State(), step.state + 1);
  }
}

// The loading step draws nothing; the closing switch resets the clock but leaves the lights, and the show then ends.
TEST_F(ShowTest, SlowFramesNeverSkipAState) {
  ASSERT_TRUE(show_.Frame(0.001f));
  EXPECT_EQ(log_, (std::vector<std::string>{"loading", "Natu1.warm-up", "music at " + std::to_string(0.0)}))
      << "the loading step warms the first part up again, then starts music and clock";
  EXPECT_EQ(clock_.resets, 1);
  std::vector<int> states{show_.State()};
  while (show_.Frame(1000.0f)) states.push_back(show_.State());
  EXPECT_EQ(states, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, DemoPart1::kFinished}));
  EXPECT_FALSE(show_.Frame(0.0f));
  EXPECT_EQ(stage_.presents, 0);
  EXPECT_EQ(clock_.resets, 9);
  EXPECT_EQ(std::count(log_.begin(), log_.end(), "lights off"), 7);  // six scene switches and the interlude
}

// The part starts after loading with the music at its place (47 + 45 + 5 + 12 + 20 s in); the show ends once the
// seconds have passed, here 1.5 s into the part after it, without drawing.
TEST_F(ShowTest, PlayRangeStartsAtItsPartAndEndsAfterItsSeconds) {
  show_.PlayRange(FindShowState("TECHNO2"), 46.5);
  show_.Frame(0.0f);
  EXPECT_EQ(log_, (std::vector<std::string>{"loading", "Techno2.warm-up", "music at " + std::to_string(129.0)}));
  EXPECT_EQ(show_.State(), 6);
  EXPECT_DOUBLE_EQ(show_.RangeEnd(), 175.5);
  show_.Frame(45.0f);
  log_.clear();
  EXPECT_TRUE(show_.Frame(1.49f));
  EXPECT_EQ(log_, (std::vector<std::string>{"Natu3.begin", "Natu3.frame " + std::to_string(1.49f)}));
  log_.clear();
  EXPECT_FALSE(show_.Frame(1.5f));
  EXPECT_TRUE(log_.empty());
  EXPECT_EQ(show_.State(), DemoPart1::kFinished);
}

// Frames are kept while the state before a picture plays (the loading when the range starts at one), and every
// picture frame is drawn over the kept one.
TEST_F(ShowTest, FramesAreKeptForThePictureAfterThem) {
  const struct { int first_state; std::vector<bool> keeping; } cases[] = {
      {1, {false, false, true, false, false, false, false, true, false}},
      {3, {true, false, false, false, false, true, false}},
      {8, {true, false}},
  };
  for (const auto& c : cases) {
    FakeStage stage;
    DemoPart1 show(stage, clock_);
    show.PlayRange(c.first_state, 0.0);
    show.Frame(0.0f);  // the loading step
    std::vector<bool> keeping{stage.keeping};
    while (show.State() < DemoPart1::kFinished) {
      const int state = show.State(), drawn = stage.kept_frames_drawn;
      show.Frame(0.5f);
      keeping.push_back(stage.keeping);
      EXPECT_EQ(stage.kept_frames_drawn - drawn, state == 3 || state == 8 ? 1 : 0) << "state " << state;
      show.Frame(1000.0f);  // the switch
    }
    EXPECT_EQ(keeping, c.keeping) << "from state " << c.first_state;
  }
}

// Starting at a picture, no scene part is about to draw.
TEST_F(ShowTest, StartingAtAPictureWarmsUpNoPart) {
  show_.PlayRange(FindShowState("interlude"), 1.0);
  show_.Frame(0.0f);
  EXPECT_EQ(log_, (std::vector<std::string>{"loading", "music at " + std::to_string(92.0)}));
}

}  // namespace

namespace music_test {

template <class F>
std::string Stderr(F op) {
  testing::internal::CaptureStderr();
  op();
  return testing::internal::GetCapturedStderr();
}

const std::string kLoadError = "Error\nUnable to load demo.mp3\n(error code: ";
const std::string kPlayError = "Error\nError while starting to play music!\n(error code: ";

// A 440 Hz tone from sox, encoded by lame.
bool EncodeTone(const std::filesystem::path& mp3, int seconds) {
  const std::string cmd = "sox -n -r 44100 -c 2 -b 16 -e signed -t raw - synth " + std::to_string(seconds) +
                          " sine 440 vol 0.366 | lame --quiet -r -s 44.1 --bitwidth 16 --signed --little-endian -m s - " +
                          mp3.string() + " 2>/dev/null";
  return std::system(cmd.c_str()) == 0;
}

TEST(Music, WithoutSoundEveryOperationSucceedsSilently) {
  SetSoundEnabled(false);
  EXPECT_EQ(Stderr([] {
              for (bool ok : {MusicInit(44100), MusicLoad("no-such-file.mp3"), MusicPlay(), MusicStop(), MusicFree()})
                EXPECT_TRUE(ok);
            }),
            "");
  SetSoundEnabled(true);
}

TEST(Music, MissingOrGarbledFileShowsLoadThenPlayErrors) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  ASSERT_TRUE(MusicInit(44100));
  EXPECT_EQ(Stderr([] { EXPECT_FALSE(MusicLoad("no-such-file.mp3")); }), kLoadError + "3)\n");
  EXPECT_EQ(Stderr([] { MusicPlay(); }), kPlayError + "5)\n");
  // The mixer takes any file with an MP3 name and plays silence: empty, cut or foreign ones are load errors.
  const auto dir = std::filesystem::temp_directory_path() / "demo_music_test_damaged";
  std::filesystem::create_directories(dir);
  ASSERT_TRUE(EncodeTone(dir / "tone.mp3", 1)) << "sox and lame are needed for this test";
  ASSERT_EQ(std::system(("sox -n " + (dir / "wave.wav").string() + " synth 0.5 sine 300").c_str()), 0);
  auto bytes_of = [&](const char* name) {
    std::ifstream in(dir / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  const std::string tone = bytes_of("tone.mp3"), text = "This is a text file, not music.\n";
  const std::pair<const char*, std::string> damaged[] = {{"garbage.txt", text}, {"empty.mp3", ""},
                                                         {"cut.mp3", tone.substr(0, tone.size() / 2)},
                                                         {"text.mp3", text}, {"wave.mp3", bytes_of("wave.wav")}};
  for (const auto& [name, bytes] : damaged) {
    const auto path = dir / name;
    std::ofstream(path, std::ios::binary) << bytes;
    EXPECT_EQ(Stderr([&] { EXPECT_FALSE(MusicLoad(path.c_str())); }), kLoadError + "4)\n") << name;
  }
  EXPECT_EQ(Stderr([&] { EXPECT_TRUE(MusicLoad((dir / "tone.mp3").c_str())); }), "");
  std::filesystem::remove_all(dir);
  EXPECT_TRUE(MusicStop());
  EXPECT_TRUE(MusicFree());
}

TEST(Music, WithoutASoundDeviceTheShowRunsSilentAfterTheMessages) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  EXPECT_EQ(Stderr([] { EXPECT_FALSE(MusicInit(44100)); }),
            "Error\nCan't initialize digital sound system\n(error code: 1)\n");
  EXPECT_EQ(Stderr([] {
              EXPECT_FALSE(MusicLoad("no-such-file.mp3"));
              EXPECT_FALSE(MusicPlay());
            }),
            kLoadError + "2)\n" + kPlayError + "2)\n");
  EXPECT_TRUE(MusicStop());
  EXPECT_TRUE(MusicFree());
}

// 440 Hz then 880 Hz, a second each, from sox, encoded by lame, through the disk driver: silence while loaded, the
// second tone once played from one second in.
TEST(Music, PlaysAnMp3ToTheAudioDeviceOnlyOncePlayedFromItsPosition) {
  const auto dir = std::filesystem::temp_directory_path() / "demo_music_test";
  std::filesystem::create_directories(dir);
  const auto mp3 = dir / "tone.mp3", out = dir / "out.raw";
  const std::string cmd = "sox -n -r 44100 -c 2 -b 16 -e signed -t raw - synth 1 sine 440 vol 0.366 : synth 1 sine 880 "
                          "vol 0.366 | lame --quiet -r -s 44.1 --bitwidth 16 --signed --little-endian -m s - " +
                          mp3.string() + " 2>/dev/null";
  ASSERT_EQ(std::system(cmd.c_str()), 0) << "sox and lame are needed for this test";
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", out.c_str(), 1);
  setenv("SDL_DISKAUDIODELAY", "1", 1);
  ASSERT_TRUE(MusicInit(44100));
  ASSERT_TRUE(MusicLoad(mp3.c_str()));
  SDL_Delay(300);
  ASSERT_TRUE(MusicPlay(1.0));
  SDL_Delay(700);
  MusicStop();
  MusicFree();

  std::ifstream f(out, std::ios::binary);
  std::vector<short> samples;
  for (short s; f.read(reinterpret_cast<char*>(&s), 2);) samples.push_back(s);
  ASSERT_GT(samples.size(), 44100u / 4) << "the device wrote audio";
  const size_t first_sound = std::find_if(samples.begin(), samples.end(), [](short v) { return v != 0; }) - samples.begin();
  EXPECT_GE(first_sound, 4096u * 2) << "at least one whole buffer of silence before play";
  // A fifth of a second of the left channel, from a tenth of a second in: the decoder finds the position to within
  // an MP3 frame and the encoder's delay.
  int peak = 0, crossings = 0;
  const size_t begin = first_sound + 44100 / 10 * 2, end = begin + 44100 / 5 * 2;
  ASSERT_GT(samples.size(), end);
  for (size_t i = begin; i < end; i += 2) {
    peak = std::max(peak, std::abs(static_cast<int>(samples[i])));
    crossings += i > begin && (samples[i] < 0) != (samples[i - 2] < 0);
  }
  EXPECT_GT(peak, 6000) << "the tone reached the output";
  EXPECT_NEAR(crossings / 2 * 5, 880, 30) << "the second tone: played from one second in";
  std::filesystem::remove_all(dir);
}

}  // namespace
