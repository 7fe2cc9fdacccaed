// The show's dressing of its scenes: fog, sky, lights, self-lit, cut-out and part-moved objects.
#include "parts/scene_dressing.h"

#include <cstring>
#include <string>

#include "archive/afile.h"
#include "effects/fog.h"
#include "scene/basic_attributes.h"
#include "scene/scene.h"

namespace {

constexpr float kAmbientShare = 0.35f;
constexpr float kFogStart = 1.0f;
constexpr float kFogDensity = 0.35f;
constexpr unsigned kFogLinear = 2;  // the index of GL_LINEAR in the fog's mode table
// A cut-out texel shows when it is more than half covered: its mipmaps then
// keep a shape's outline at every distance, where any alpha above 0 would
// grow it into the blended-in transparent texels (and into the card).
constexpr float kCutOffAlpha = 0.5f;

// Lighting off for the draw: the lights' Enable leaves it on, and an object
// without normals would be lit with the current normal, which whatever was
// drawn before left undefined (a part's first frame then depends on the part
// before it).
class Unlit : public Attribute {
 public:
  Unlit() : Attribute(kLightingKind) {}
  void BeginArrays(Scene&, GLMesh&) override { glDisable(GL_LIGHTING); }
  void BeginImmediate(GLMesh&) override { glDisable(GL_LIGHTING); }
};

}  // namespace

void SetEveningFog(float end, bool mode_before_enable) {
  gFog.SetStart(kFogStart);
  gFog.SetEnd(end);
  gFog.SetDensity(kFogDensity);
  gFog.SetColour(kFogColour[0], kFogColour[1], kFogColour[2]);
  if (mode_before_enable) {
    gFog.SetMode(kFogLinear);
    gFog.Enable();
  } else {
    gFog.Enable();
    gFog.SetMode(kFogLinear);
  }
}

TextureRef* SkyTexture(Scene& scene) { return scene.Textures().GetTexture("stoka", "skysun2.jpg"); }

void PushSkyBackground(Scene& scene) { scene.PushBackground(SkyTexture(scene)); }

void LightDiffusely(Light& light) {
  const vec<float, 4> c = light.Ambient();
  light.SetDiffuse(c[0], c[1], c[2], 1.0f);
  light.SetAmbient(c[0] * kAmbientShare, c[1] * kAmbientShare, c[2] * kAmbientShare, 1.0f);
}

void LightDiffusely(Scene& scene) {
  for (Light* light : scene.Lights()) LightDiffusely(*light);
}

void DropAttributes(GLMesh& object, int32_t kind) {
  AttributeList dropped;
  for (Attribute* attribute : object.Attributes())
    if (attribute->kind == kind) dropped.push_back(attribute);
  object.RemoveAttributes(kind);
  for (Attribute* attribute : dropped) delete attribute;  // removal leaves them to us
}

void DressSelfLit(GLMesh& object) {
  DropAttributes(object, kLightingKind);
  object.AddAttribute(new Unlit());
}

void DressSelfLit(Scene& scene, const char* image) {
  for (GLMesh* mesh : scene.CollectObjects()) {
    const TextureRef* texture = mesh->FirstTexture();
    if (texture && texture->image && texture->image->name && std::strcmp(texture->image->name, image) == 0)
      DressSelfLit(*mesh);
  }
}

void FreeFromTracks(GLMesh& object) {
  object.PositionPath() = KeyframePath<float, 3>();
  object.RotationPath() = KeyframePath<float, 1>();
  object.SetCacheable(false);
}

void DressCutOut(GLMesh& object) {
  object.AddAttribute(new Masking(GL_GREATER, kCutOffAlpha));
  object.AddAttribute(new DoubleSided());
}

void DressMaskedCutOuts(Scene& scene) {
  for (GLMesh* mesh : scene.CollectObjects()) {
    const TextureRef* texture = mesh->FirstTexture();
    if (!texture || !texture->image || !texture->image->name) continue;
    const std::string image = texture->image->name;
    if (image.size() < 4) continue;
    uint32_t size = 0;
    const std::string mask = image.substr(0, image.size() - 4) + ".mask";
    if (FindInArchives(gArchives, mask.c_str(), &size)) DressCutOut(*mesh);
  }
}
