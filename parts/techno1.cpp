// Techno1's story: the hall's dressing, the tubes rebuilt each frame and their riders.
#include "parts/techno1.h"

#include "effects/multi_texture.h"
#include "parts/machine_hall.h"
#include "scene/basic_attributes.h"

namespace {

constexpr float kTrailOpacity = 0.35f;
// How much of the floor's own face covers its reflection.
constexpr float kFloorOverReflection = 0.4f;
// The objects that ride on the tubes' lower ends, tube by tube.
const char* const kRiders[kTubeCount] = {"tarzan", "tarzan01", "tarzan02", "tarzan03"};

}  // namespace

Techno1::Techno1() : ScenePart(MachineSetup("techno11.3ds", kTrailOpacity)) {}

Techno1::~Techno1() = default;

// The hall is closed under its ceiling: it clears without the sky picture,
// which no pixel of it would show.
void Techno1::Dress(Scene& scene) {
  DressMachineHall(scene);
  // The floor's grating shows faintly over its reflection.
  auto* veil = new Transparency(GL_CONSTANT_ALPHA, GL_ONE_MINUS_CONSTANT_ALPHA);
  veil->SetBlendColor(0.0f, 0.0f, 0.0f, kFloorOverReflection);
  SetMirror(scene.FindObject("Peili01"), {new Texture(), new Lighting(), veil});
  // Polished steel that catches the blue panels.
  tubes_ = std::make_unique<HangingTubes>(scene.Textures().GetTexture("metal7", "metal7.jpg"));
  const TextureRef* panels = scene.Textures().GetTexture("blue_spa", "blue_spa.jpg");
  for (int k = 0; k < kTubeCount; ++k) {
    auto* steel = new MultiTexture();
    steel->SetTexture1(static_cast<int32_t>(panels->id));
    steel->SetGenerate1(true);
    tubes_->Tube(k).AddAttribute(steel);
    GLMesh* rider = scene.FindObject(kRiders[k]);
    DressChrome(rider);
    tubes_->SetRider(k, rider);
  }
}

void Techno1::Animate(float, float) {
  if (tubes_) tubes_->Build();
}

// The tubes are drawn over the scene and, reflected, in the floor.
void Techno1::DrawEffects() {
  if (tubes_) tubes_->Draw(GetScene());
}
