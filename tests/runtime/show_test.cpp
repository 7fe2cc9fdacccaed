#include "runtime/show.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

// A clock whose time the test sets; counts resets.
class FakeClock : public ShowClock {
 public:
  void Reset() override { ++resets; }
  double Read() const override { return 0.0; }
  int resets = 0;
};

std::vector<std::string>* gLog = nullptr;

class FakePart : public Effect {
 public:
  explicit FakePart(std::string name) : name_(std::move(name)) {}
  void Begin() override { gLog->push_back(name_ + ".begin"); }
  bool Frame(float t) override {
    gLog->push_back(name_ + ".frame " + std::to_string(t));
    return true;
  }

 private:
  std::string name_;
};

class FakeIntro : public Effect {
 public:
  explicit FakeIntro(bool result) : result_(result) {}
  bool Load() override { return result_; }

 private:
  bool result_;
};

class FakeStage : public ShowStage {
 public:
  explicit FakeStage(std::vector<std::string>* log) { gLog = log; }
  std::unique_ptr<Effect> CreateIntro() override {
    if (!makeIntro) return nullptr;
    return std::make_unique<FakeIntro>(introLoads);
  }
  bool LoadingStep(float, ShowParts& parts) override {
    gLog->push_back("loading");
    parts.natu1 = std::make_unique<FakePart>("natu1");
    parts.techno1 = std::make_unique<FakePart>("techno1");
    parts.natu2 = std::make_unique<FakePart>("natu2");
    parts.techno2 = std::make_unique<FakePart>("techno2");
    parts.natu3 = std::make_unique<FakePart>("natu3");
    parts.techno3 = std::make_unique<FakePart>("techno3");
    return true;
  }
  void DrawPicture(Picture p, float opacity) override {
    pictures.push_back({p == Picture::Interlude ? "interlude" : "closing", opacity});
  }
  void Fade(float r, float, float, float opacity) override { fades.push_back({r, opacity}); }
  void Present() override { ++presents; }
  void DisableLights() override { gLog->push_back("lights off"); }
  void StartMusic() override { gLog->push_back("music"); }

  bool makeIntro = true;
  bool introLoads = true;
  std::vector<std::pair<std::string, float>> pictures;
  std::vector<std::pair<float, float>> fades;  // colour (r), opacity
  int presents = 0;
};

class ShowTest : public ::testing::Test {
 protected:
  std::vector<std::string> log;
  FakeStage stage{&log};
  FakeClock clock;
  DemoPart1 show{stage, clock};
};

TEST_F(ShowTest, LoadCreatesTheIntroAndPassesOnItsResult) {
  EXPECT_TRUE(show.Load());
  EXPECT_NE(show.Parts().intro, nullptr);
  stage.introLoads = false;
  EXPECT_FALSE(show.Load());
  stage.makeIntro = false;
  EXPECT_FALSE(show.Load());
}

TEST_F(ShowTest, LoadingStepStartsMusicAndClockWithoutDrawing) {
  ASSERT_TRUE(show.Frame(0.001f));
  EXPECT_EQ(show.State(), 1);
  EXPECT_EQ(log, (std::vector<std::string>{"loading", "music"}));
  EXPECT_EQ(clock.resets, 1);
  EXPECT_EQ(stage.presents, 0);
}

TEST_F(ShowTest, PartsPlayInTimelineOrderForTheirDurations) {
  show.Frame(0.0f);
  log.clear();
  // Each part: one frame just before its end, then the frame that reaches it.
  const struct {
    int state;
    const char* part;
    float duration;
  } timeline[] = {{1, "natu1", 47}, {2, "techno1", 45}, {4, "natu2", 12},
                  {5, "techno3", 20}, {6, "techno2", 45}, {7, "natu3", 20}};
  for (const auto& step : timeline) {
    if (show.State() == 3) {
      show.Frame(5.0f);  // interlude over
      log.clear();
    }
    ASSERT_EQ(show.State(), step.state);
    const float last = std::nextafter(step.duration, 0.0f);
    show.Frame(last);
    EXPECT_EQ(log, (std::vector<std::string>{std::string(step.part) + ".begin",
                                            std::string(step.part) + ".frame " + std::to_string(last)}));
    log.clear();
    const int resets = clock.resets;
    EXPECT_TRUE(show.Frame(step.duration));
    EXPECT_EQ(log, std::vector<std::string>{"lights off"}) << step.part << ": the switch frame draws nothing";
    EXPECT_EQ(clock.resets, resets + 1);
    EXPECT_EQ(show.State(), step.state + 1);
    log.clear();
  }
  EXPECT_EQ(show.State(), 8);
}

TEST_F(ShowTest, PicturesFadeFromWhiteAndToBlack) {
  for (int i = 0; i < 3; ++i) show.Frame(1000.0f);  // loading, natu1, techno1
  ASSERT_EQ(show.State(), 3);

  show.Frame(1.0f);
  ASSERT_EQ(stage.pictures.size(), 1u);
  EXPECT_EQ(stage.pictures[0].first, "interlude");
  EXPECT_FLOAT_EQ(stage.pictures[0].second, 1.0f / 3.0f);
  ASSERT_EQ(stage.fades.size(), 1u);
  EXPECT_EQ(stage.fades[0].first, 1.0f);  // white
  EXPECT_FLOAT_EQ(stage.fades[0].second, 0.5f);
  EXPECT_EQ(stage.presents, 1);

  stage.fades.clear();
  show.Frame(2.5f);
  EXPECT_NEAR(stage.pictures[1].second, 0.8333f, 1e-4);
  EXPECT_TRUE(stage.fades.empty());

  show.Frame(4.0f);
  EXPECT_FLOAT_EQ(stage.pictures[2].second, 4.0f / 3.0f);
  ASSERT_EQ(stage.fades.size(), 1u);
  EXPECT_EQ(stage.fades[0].first, 0.0f);  // black
  EXPECT_FLOAT_EQ(stage.fades[0].second, 0.5f);
  EXPECT_EQ(stage.presents, 3);
}

TEST_F(ShowTest, ClosingSwitchLeavesLightsAndThenTheShowEnds) {
  show.Frame(0.0f);
  while (show.State() < 8) show.Frame(1000.0f);
  log.clear();
  show.Frame(4.9f);
  EXPECT_EQ(stage.pictures.back().first, "closing");
  const int resets = clock.resets;
  EXPECT_TRUE(show.Frame(5.0f));
  EXPECT_EQ(show.State(), DemoPart1::kFinished);
  EXPECT_EQ(clock.resets, resets + 1);
  EXPECT_TRUE(log.empty()) << "lights are not touched after the closing picture";
  EXPECT_FALSE(show.Frame(0.0f));
  EXPECT_FALSE(show.Frame(0.0f));
}

TEST_F(ShowTest, SlowFramesNeverSkipAState) {
  int iterations = 0;
  std::vector<int> states;
  while (show.Frame(1000.0f)) {
    states.push_back(show.State());
    ++iterations;
  }
  EXPECT_EQ(states, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(stage.presents, 0);
  const auto offs = std::count(log.begin(), log.end(), "lights off");
  EXPECT_EQ(offs, 7);  // six scene switches and the interlude
}

TEST_F(ShowTest, UndefinedTimeCountsAsReached) {
  show.Frame(0.0f);
  log.clear();
  show.Frame(std::numeric_limits<float>::quiet_NaN());
  EXPECT_EQ(show.State(), 2);
  EXPECT_EQ(log, std::vector<std::string>{"lights off"});
}

}  // namespace
