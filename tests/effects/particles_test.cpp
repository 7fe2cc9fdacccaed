// Particles: the list, the random draws and shapes, the step's physics and
// the draw in each mode, read back from an offscreen window.
#include "effects/particle_object.h"

#include <GL/glu.h>

#include <cmath>
#include <cstdlib>
#include <memory>

#include "effects/random.h"
#include "scene/scene.h"
#include "tests/effects/effects_gl.h"

namespace {

using vec3 = vec<float, 3>;

Particle Born(const vec3& position, const vec3& velocity = vec3(0.0f), float age = 0.0f) {
  Particle p{};
  p.position = p.next = position;
  p.velocity = velocity;
  p.age = age;
  return p;
}

struct NoForce : ForceField {
  vec3 Force(const Particle&) const override { return vec3(0.0f); }
};

TEST(ParticleListTest, RemovalFillsTheHoleWithTheLastRecord) {
  ParticleList list;
  for (float z : {1.0f, 2.0f, 3.0f}) list.Add(Born(vec3(0.0f, 0.0f, z)));
  list.Remove(2);
  ASSERT_EQ(list.Size(), 2u);
  EXPECT_EQ(list[0].position[2], 1.0f);
  EXPECT_EQ(list[1].position[2], 2.0f);
  list.Remove(0);
  ASSERT_EQ(list.Size(), 1u);
  EXPECT_EQ(list[0].position[2], 2.0f);
  list.Remove(0);
  EXPECT_TRUE(list.Empty());
}

// 20,000 draws: the mean within five standard errors, the variance within 5 %.
TEST(PoissonCountTest, MeanAndVarianceMatchTheRate) {
  std::srand(18);
  for (float mean : {0.0f, 0.5f, 3.0f, 20.0f}) {
    constexpr int kDraws = 20000;
    double sum = 0, squares = 0;
    for (int i = 0; i < kDraws; ++i) {
      const int k = PoissonCount(mean);
      sum += k;
      squares += double(k) * k;
    }
    const double m = sum / kDraws, variance = squares / kDraws - m * m;
    EXPECT_NEAR(m, mean, 5 * std::sqrt(mean / kDraws) + 1e-9) << "mean " << mean;
    EXPECT_NEAR(variance, mean, 0.05 * mean + 1e-9) << "mean " << mean;
  }
}

TEST(DistributionTest, SamplesStayOnTheirShapes) {
  std::srand(18);
  const vec3 c(1.0f, -2.0f, 3.0f);
  BallSource ball(c, 2.0f);
  SphereSource sphere(c, 2.0f);
  ConeUpSource cone(0.5f, 3.0f, 5.0f);
  RingUpSource ring(c, 2.0f);
  for (int i = 0; i < 1000; ++i) {
    EXPECT_LT((ball.sample() - c).Length(), 2.0f);
    EXPECT_NEAR((sphere.sample() - c).Length(), 2.0f, 1e-4f);
    const vec3 v = cone.sample();
    EXPECT_TRUE(v.Length() >= 3.0f - 1e-4f && v.Length() <= 5.0f + 1e-4f) << v;
    EXPECT_GE(v[2] / v.Length(), std::cos(0.5f) - 1e-5f) << v;
    const vec3 r = ring.sample() - c;
    EXPECT_EQ(r[2], 0.0f);
    EXPECT_NEAR(r.Length(), 2.0f, 1e-5f);
  }
}

TEST(ForceFieldTest, GravityPullsDownAndTheSwirlTurnsAboutZ) {
  EXPECT_EQ(gForce().Force(Born(vec3(5.0f))).v[2], -30.0f);
  const vec3 swirl = centriforce().Force(Born(vec3(10.0f, 0.0f, 7.0f)));
  EXPECT_EQ(swirl[0], 0.0f);
  EXPECT_FLOAT_EQ(swirl[1], -2.0f);
  EXPECT_EQ(swirl[2], 0.0f);
}

TEST(PAGTest, ColourAndSizeBlendOverTheLife) {
  const ParticleAttributes a = {{0.5f, 0.2f, 0.2f, 0.4f}, 0.8f, 0.0f}, b = {{0.0f, 1.0f, 1.0f, 0.0f}, 0.2f, 0.0f};
  const PAG director(a, b, 20.0f);
  const struct {
    float age;
    ParticleAttributes expected;
  } cases[] = {{-1.0f, a}, {0.0f, a}, {10.0f, {{0.25f, 0.6f, 0.6f, 0.2f}, 0.5f, 0.0f}}, {20.0f, b}, {35.0f, b}};
  for (const auto& c : cases) {
    const ParticleAttributes got = director.AttributesOf(Born(vec3(0.0f), vec3(0.0f), c.age));
    for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(got.color[i], c.expected.color[i]) << "age " << c.age;
    EXPECT_FLOAT_EQ(got.size, c.expected.size) << "age " << c.age;
  }
}

// The default camera at the origin looks along +y with z up.
class ParticleObjectTest : public EffectsGLTest {
 protected:
  void SetUp() override {
    EffectsGLTest::SetUp();
    ClearTo(0, 0, 0);
    cloud_ = std::make_unique<ParticleObject>(PathLocation(), std::make_unique<PointSource>(vec3(0.0f, 20.0f, 0.0f)),
                                              std::make_unique<PointSource>(vec3(0.0f)), 0.0f);
  }
  void Frame() {
    scene_.BeginCamera();
    cloud_->Render(scene_);
    scene_.EndCamera();
  }
  // Where the point lands in the window.
  At Projected(const vec3& p) {
    scene_.BeginCamera();
    GLdouble model[16], projection[16], x, y, z;
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    scene_.EndCamera();
    gluProject(p[0], p[1], p[2], model, projection, viewport, &x, &y, &z);
    return {int(x), int(y), {}};
  }

  Scene scene_;
  std::unique_ptr<ParticleObject> cloud_;
};

TEST_F(ParticleObjectTest, RateZeroMakesAndDrawsNothing) {
  for (int mode = 0; mode <= 3; ++mode) {
    cloud_->SetRenderMode(mode);
    for (int frame = 0; frame < 20; ++frame) Frame();
  }
  EXPECT_TRUE(cloud_->Particles().Empty());
  std::vector<uint8_t> screen(640 * 480 * 3);
  glReadPixels(0, 0, 640, 480, GL_RGB, GL_UNSIGNED_BYTE, screen.data());
  EXPECT_EQ(std::count(screen.begin(), screen.end(), 0), long(screen.size()));
}

TEST_F(ParticleObjectTest, AFallingParticleLeavesBelowTheBandWithoutReaching100) {
  cloud_->Particles().Add(Born(vec3(0.0f)));
  int frames = 0;
  while (!cloud_->Particles().Empty() && frames < 100) {
    Frame();
    ++frames;
  }
  EXPECT_LE(frames, 10) << "killed below z = -10";
  cloud_->SetHeightLimits(-1e30f, 10.0f);
  cloud_->Particles().Add(Born(vec3(0.0f)));
  float speed = 0.0f;
  for (int frame = 0; frame < 500; ++frame) {
    Frame();
    speed = cloud_->Particles()[0].velocity.Length();
    ASSERT_LT(speed, 100.0f);
  }
  EXPECT_GT(speed, 95.0f) << "near the terminal 30 x 0.1 x 0.97 / 0.03";
}

TEST_F(ParticleObjectTest, TheCollisionSquareBouncesWhatCrossesItOnly) {
  cloud_->SetForceField(std::make_unique<NoForce>());
  cloud_->SetCollisionSquare(vec3(-1.0f, 0.0f, -1.0f), vec3(1.0f, 0.0f, 1.0f));
  const struct {
    float x;
    bool bounces;
  } cases[] = {{0.0f, true}, {0.9f, true}, {1.5f, false}, {-4.0f, false}};
  for (const auto& c : cases) cloud_->Particles().Add(Born(vec3(c.x, 0.5f, 0.0f), vec3(0.0f, -10.0f, 0.0f)));
  Frame();
  for (size_t i = 0; i < 4; ++i) {
    const Particle& p = cloud_->Particles()[i];
    EXPECT_EQ(p.velocity[1] > 0, cases[i].bounces) << "x " << cases[i].x;
    EXPECT_EQ(p.position[1] > 0, cases[i].bounces) << "x " << cases[i].x;
  }
}

TEST_F(ParticleObjectTest, TheTextureIsAGaussianSpotWithAClearBorder) {
  float alpha[32][32];
  glBindTexture(GL_TEXTURE_2D, cloud_->ParticleTexture());
  glGetTexImage(GL_TEXTURE_2D, 0, GL_ALPHA, GL_FLOAT, alpha);
  for (int i = 0; i < 32; ++i)
    for (float border : {alpha[0][i], alpha[31][i], alpha[i][0], alpha[i][31]}) EXPECT_EQ(border, 0.0f);
  const float peak = 5.0f / (6.4f * std::sqrt(2.0f * 3.14159265f));
  EXPECT_NEAR(alpha[16][16], peak, 0.5f / 255);
  for (int r = 1; r < 31; ++r)
    for (int c = 1; c < 31; ++c) EXPECT_LE(alpha[r][c], alpha[16][16]);
}

TEST_F(ParticleObjectTest, EveryModeDrawsWhereTheParticleProjects) {
  cloud_->SetForceField(std::make_unique<NoForce>());
  cloud_->SetSizes(2.0f, 0.05f);
  for (int mode = 0; mode <= 3; ++mode) {
    cloud_->SetRenderMode(mode);
    cloud_->Particles().Add(Born(vec3(-2.0f, 20.0f, 1.0f), vec3(-40.0f, 0.0f, 0.0f)));
    ClearTo(0, 0, 0);
    Frame();
    const Particle& p = cloud_->Particles()[0];
    // Streaks run back from the particle, the others sit on it.
    const At on = Projected(mode == kParticleStreaks ? p.position - p.velocity * 0.025f : p.position);
    EXPECT_GT(Pixel(on.x, on.y)[0], 8) << "mode " << mode;
    EXPECT_EQ(Pixel(on.x + 100, on.y), (Rgb{0, 0, 0})) << "mode " << mode;
    cloud_->Particles().Remove(0);
  }
}

TEST_F(ParticleObjectTest, SpritesAddTheirLightToWhatIsBehind) {
  cloud_->SetForceField(std::make_unique<NoForce>());
  cloud_->SetRenderMode(kParticleSprites);
  const At centre = Projected(vec3(0.0f, 20.0f, 0.0f));
  Rgb alone;
  for (float grey : {0.0f, 0.5f}) {
    ClearTo(grey, grey, grey);
    cloud_->Particles().Add(Born(vec3(0.0f, 20.0f, 0.0f)));
    Frame();
    cloud_->Particles().Remove(0);
    if (grey == 0.0f) {
      alone = Pixel(centre.x, centre.y);
      EXPECT_GT(alone[0], 0);
    } else {
      EXPECT_TRUE(Near(Pixel(centre.x, centre.y), {alone[0] + 128, alone[1] + 128, alone[2] + 128}, 2));
    }
  }
}

// A part steps the cloud while it animates and draws it apart: the same random draws, the same pixels, frame for
// frame, in every mode; drawing alone changes nothing.
TEST_F(ParticleObjectTest, SteppingAndDrawingApartGivesTheFramesOfRender) {
  for (int mode = 0; mode <= 3; ++mode) {
    std::vector<std::vector<uint8_t>> frames[2];
    for (int apart = 0; apart < 2; ++apart) {
      ParticleObject cloud(PathLocation(), std::make_unique<PointSource>(vec3(0.0f, 20.0f, -2.0f)),
                           std::make_unique<PointSource>(vec3(0.5f, 0.0f, 12.0f)), 8.0f);
      cloud.SetRenderMode(mode);
      cloud.SetSizes(0.3f, 0.05f);
      std::srand(5);
      for (int frame = 0; frame < 40; ++frame) {
        ClearTo(0, 0, 0);
        scene_.BeginCamera();
        if (apart) {
          cloud.Step();
          const size_t count = cloud.Particles().Size();
          cloud.DrawCloud(scene_);
          EXPECT_EQ(cloud.Particles().Size(), count);
        } else {
          cloud.Render(scene_);
        }
        scene_.EndCamera();
        frames[apart].emplace_back(640 * 480 * 3);
        glReadPixels(0, 0, 640, 480, GL_RGB, GL_UNSIGNED_BYTE, frames[apart].back().data());
      }
    }
    EXPECT_GT(std::count(frames[0].back().begin(), frames[0].back().end(), 0), 0);
    EXPECT_LT(std::count(frames[0].back().begin(), frames[0].back().end(), 0), long(frames[0].back().size()))
        << "mode " << mode << ": the cloud is in view";
    for (size_t frame = 0; frame < frames[0].size(); ++frame)
      ASSERT_TRUE(frames[0][frame] == frames[1][frame]) << "mode " << mode << ", frame " << frame;
  }
}

TEST_F(ParticleObjectTest, RenderWithOnlyComplains) {
  cloud_->Particles().Add(Born(vec3(0.0f, 20.0f, 0.0f)));
  testing::internal::CaptureStdout();
  scene_.BeginCamera();
  cloud_->RenderWith(scene_, {});
  scene_.EndCamera();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Eipa tulla tanne !\n");
  EXPECT_EQ(cloud_->Particles()[0].age, 0.0f);
  EXPECT_EQ(Pixel(320, 240), (Rgb{0, 0, 0}));
}

}  // namespace
