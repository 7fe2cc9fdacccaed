// Techno2's story: metaballs inside the rising rail, sparks over the pools, rotors and the neon title.
#include "parts/techno2.h"

#include "effects/random.h"
#include "parts/machine_hall.h"
#include "parts/scene_dressing.h"

namespace {

using vec3 = vec<float, 3>;

// Radians per second that the rotors turn.
constexpr float kRotorTurnRate = 0.75f;
const char* const kRotors[3] = {"Cylinder21", "Cylinder22", "Cylinder23"};

// The sparks, in file units and the particles' time units (0.1 a frame):
// they leave the pools slowly in a narrow cone, an updraft carries them up
// at about 40 units a time unit, and they cool from orange to blue over
// their life, still bright enough at its end for the blue to show over the
// orange hall; they wink out as sparks do.
constexpr float kVapourRate = 10.0f;  // sparks per time unit: some 200 alive
constexpr float kVapourConeHalfAngle = 0.35f;
constexpr float kVapourMinSpeed = 20.0f, kVapourMaxSpeed = 60.0f;
constexpr float kUpdraft = 12.0f;
constexpr float kVapourLife = 20.0f;
constexpr float kVapourQuadSize = 50.0f;  // half-size per unit of particle size
constexpr float kVapourLowest = -500.0f, kVapourHighest = 2000.0f;
const ParticleAttributes kVapourBirth = {{1.0f, 0.45f, 0.05f, 1.0f}, 0.6f, 0.0f};
const ParticleAttributes kVapourDeath = {{0.0f, 0.3f, 1.0f, 0.8f}, 1.4f, 0.0f};

// A steady lift that the drag turns into a steady rise.
class Updraft : public ForceField {
 public:
  vec3 Force(const Particle&) const override { return vec3(0.0f, 0.0f, kUpdraft); }
};

// A random point on the surface of one of the pools, each pool as likely.
class PoolsSource : public Distribution {
 public:
  explicit PoolsSource(std::vector<PoolArea> pools) : pools_(std::move(pools)) {}
  vec3 sample() override {
    const PoolArea& pool = pools_[Rand15() % pools_.size()];
    return vec3(pool.lower[0] + (pool.upper[0] - pool.lower[0]) * RandomUnit(),
                pool.lower[1] + (pool.upper[1] - pool.lower[1]) * RandomUnit(), pool.height);
  }

 private:
  std::vector<PoolArea> pools_;
};

// At the origin, unturned, as the loaded meshes stand.
PathLocation AtOrigin() { return PathLocation(vec3(0.0f), vec3(0.0f, 0.0f, -1.0f), vec3(0.0f, 1.0f, 0.0f)); }

}  // namespace

Techno2::Techno2() : ScenePart(MachineSetup("techno22.3ds", kStoredOpacity)) {}

Techno2::~Techno2() = default;

void Techno2::Dress(Scene& scene) {
  sky_ = SkyTexture(scene);
  DressMachineHall(scene);
  TextureRef* chrome = scene.Textures().GetTexture("chromic", "chromic.jpg");
  // The wall's panels and the neon letters light themselves.
  for (const char* glowing : {"background", "spa_text"})
    if (GLMesh* object = scene.FindObject(glowing)) DressSelfLit(*object);
  // The ring rail glows blue where it faces the camera.
  if (GLMesh* line = scene.FindObject("Line01"))
    DressSheen(*line, *scene.Textures().GetTexture("linemult", "blue_spa.jpg"), GL_ADD);
  DressNumberedBoxes(scene, *chrome);
  pools_.Dress(scene);
  for (size_t i = 0; i < rotors_.size(); ++i) {
    rotors_[i] = scene.FindObject(kRotors[i]);
    if (!rotors_[i]) continue;
    FreeFromTracks(*rotors_[i]);
    DressChrome(rotors_[i]);
  }
  light_ = scene.FindObject("Omni");
  // The balls move a good part of their radius every frame: under the trail
  // they would read as a translucent smear, not as opaque chrome.
  SetTrail(false);

  metaballs_ = std::make_unique<MetaballObject>(AtOrigin(), kTechnoBallRadius, kTechnoCellSize, chrome);
  if (!pools_.Areas().empty()) {
    vapour_ = std::make_unique<ParticleObject>(
        AtOrigin(), std::make_unique<PoolsSource>(pools_.Areas()),
        std::make_unique<ConeUpSource>(kVapourConeHalfAngle, kVapourMinSpeed, kVapourMaxSpeed), kVapourRate);
    vapour_->SetForceField(std::make_unique<Updraft>());
    vapour_->SetDirector(std::make_unique<PAG>(kVapourBirth, kVapourDeath, kVapourLife));
    vapour_->SetRenderMode(kParticleGlow);
    vapour_->SetSizes(kVapourQuadSize, 0.0f);
    vapour_->SetHeightLimits(kVapourLowest, kVapourHighest);
    vapour_->SetAgeLimit(kVapourLife);
  }
}

void Techno2::Animate(float, float dt) {
  if (water_clock_.Tick(dt)) pools_.Disturb();
  pools_.Step();
  if (metaballs_) metaballs_->SetCentres(TechnoBallCentres(frames_));
  // The ring rail moves along its own track with the render list.
  if (light_) light_->Update();
  const float turn = dt * kRotorTurnRate;
  if (rotors_[0]) rotors_[0]->TurnZ(turn);
  if (rotors_[1]) rotors_[1]->TurnZBack(turn);
  if (rotors_[2]) rotors_[2]->TurnZ(turn);
  if (vapour_) vapour_->Step();
  ++frames_;
}

void Techno2::DrawEffects() {
  Scene& scene = GetScene();
  if (sky_) DrawSkyWhereOpen(*sky_);  // before the vapour, which writes no depth
  if (metaballs_) metaballs_->Render(scene);
  if (vapour_) vapour_->DrawCloud(scene);
}
