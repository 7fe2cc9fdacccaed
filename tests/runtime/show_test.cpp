#include "runtime/show.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

class FakeClock : public ShowClock {
 public:
  void Reset() override { ++resets; }
  double Read() const override { return 0.0; }
  int resets = 0;
};

std::vector<std::string>* gLog = nullptr;

class FakePart : public Effect {
 public:
  explicit FakePart(std::string name, bool loads = true) : name_(std::move(name)), loads_(loads) {}
  bool Load() override { return loads_; }
  void Begin() override { gLog->push_back(name_ + ".begin"); }
  bool Frame(float t) override {
    gLog->push_back(name_ + ".frame " + std::to_string(t));
    return true;
  }

 private:
  std::string name_;
  bool loads_;
};

// Pictures are checked by pixel read-back in tests/parts/show_pictures_test.
class FakeStage : public ShowStage {
 public:
  explicit FakeStage(std::vector<std::string>* log) { gLog = log; }
  std::unique_ptr<Effect> CreateIntro() override {
    return makeIntro ? std::make_unique<FakePart>("intro", introLoads) : nullptr;
  }
  bool LoadingStep(float, ShowParts& parts) override {
    gLog->push_back("loading");
    for (auto [slot, name] : {std::pair{&parts.natu1, "natu1"}, {&parts.techno1, "techno1"}, {&parts.natu2, "natu2"},
                              {&parts.techno2, "techno2"}, {&parts.natu3, "natu3"}, {&parts.techno3, "techno3"}})
      *slot = std::make_unique<FakePart>(name);
    return true;
  }
  void DrawPicture(Picture, float) override {}
  void Fade(float, float, float, float) override {}
  void Present() override { ++presents; }
  void DisableLights() override { gLog->push_back("lights off"); }
  void StartMusic() override { gLog->push_back("music"); }

  bool makeIntro = true, introLoads = true;
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

// Each part: one frame just before its end, then the switch frame that reaches it.
TEST_F(ShowTest, PartsPlayInTimelineOrderForTheirDurations) {
  show.Frame(0.0f);
  log.clear();
  const struct {
    int state;
    std::string part;
    float duration;
  } timeline[] = {{1, "natu1", 47}, {2, "techno1", 45}, {4, "natu2", 12},
                  {5, "techno3", 20}, {6, "techno2", 45}, {7, "natu3", 20}};
  for (const auto& step : timeline) {
    if (show.State() == 3) show.Frame(5.0f);  // interlude over
    log.clear();
    ASSERT_EQ(show.State(), step.state);
    const float last = std::nextafter(step.duration, 0.0f);
    show.Frame(last);
    EXPECT_EQ(log, (std::vector<std::string>{step.part + ".begin", step.part + ".frame " + std::to_string(last)}));
    log.clear();
    const int resets = clock.resets;
    EXPECT_TRUE(show.Frame(step.duration));
    EXPECT_EQ(log, std::vector<std::string>{"lights off"}) << step.part << ": the switch frame draws nothing";
    EXPECT_EQ(clock.resets, resets + 1);
    EXPECT_EQ(show.State(), step.state + 1);
  }
}

// The loading step draws nothing; the closing switch resets the clock but leaves the lights, and the show then ends.
TEST_F(ShowTest, SlowFramesNeverSkipAState) {
  ASSERT_TRUE(show.Frame(0.001f));
  EXPECT_EQ(log, (std::vector<std::string>{"loading", "music"})) << "the loading step starts music and clock";
  EXPECT_EQ(clock.resets, 1);
  std::vector<int> states{show.State()};
  while (show.Frame(1000.0f)) states.push_back(show.State());
  EXPECT_EQ(states, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, DemoPart1::kFinished}));
  EXPECT_FALSE(show.Frame(0.0f));
  EXPECT_EQ(stage.presents, 0);
  EXPECT_EQ(clock.resets, 9);
  EXPECT_EQ(std::count(log.begin(), log.end(), "lights off"), 7);  // six scene switches and the interlude
}

TEST_F(ShowTest, UndefinedTimeCountsAsReached) {
  show.Frame(0.0f);
  log.clear();
  show.Frame(std::numeric_limits<float>::quiet_NaN());
  EXPECT_EQ(show.State(), 2);
  EXPECT_EQ(log, std::vector<std::string>{"lights off"});
}

}  // namespace
