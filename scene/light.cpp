// The light pool and each light's OpenGL state.
#include "scene/light.h"

#include <cstdio>

#include "runtime/log.h"

namespace {

vec<float, 4> Opaque(const vec<float, 3>& c) { return vec<float, 4>(c[0], c[1], c[2], 1.0f); }

}  // namespace

GLenum LightPool::Allocate() {
  for (int i = 0; i < kSize; ++i) {
    if (!in_use_[i]) {
      in_use_[i] = true;
      return GL_LIGHT0 + i;
    }
  }
  return 0;
}

void LightPool::Release(GLenum light) {
  if (light >= GL_LIGHT0 && light < GL_LIGHT0 + kSize) in_use_[light - GL_LIGHT0] = false;
}

void LightPool::ResetAll() {
  for (bool& used : in_use_) used = false;
}

void LightPool::SetGlobalAmbient(float r, float g, float b, float a) {
  global_ambient_[0] = r;
  global_ambient_[1] = g;
  global_ambient_[2] = b;
  global_ambient_[3] = a;
}

LightPool& SharedLightPool() {
  static LightPool pool;
  return pool;
}

Light::Light(const PathLocation& location, const vec<float, 3>& ambient, const vec<float, 3>& diffuse,
             const vec<float, 3>& specular, const vec<float, 3>& attenuation, bool spot)
    : GLMesh(location),
      ambient_(Opaque(ambient)),
      diffuse_(Opaque(diffuse)),
      specular_(Opaque(specular)),
      attenuation_(attenuation),
      spot_(spot),
      light_(SharedLightPool().Allocate()) {
  if (!light_) std::printf("All %d lights are in use: this light stays dark\n", LightPool::kSize);
}

Light::~Light() {
  if (!light_) return;
  glDisable(light_);
  SharedLightPool().Release(light_);
}

void Light::SetAttenuation(float constant, float linear, float quadratic) {
  attenuation_ = vec<float, 3>(constant, linear, quadratic);
}
void Light::SetAmbient(float r, float g, float b, float a) { ambient_ = vec<float, 4>(r, g, b, a); }
void Light::SetDiffuse(float r, float g, float b, float a) { diffuse_ = vec<float, 4>(r, g, b, a); }
void Light::SetSpecular(float r, float g, float b, float a) { specular_ = vec<float, 4>(r, g, b, a); }

void Light::SetGlobalAmbient(float r, float g, float b, float a) { SharedLightPool().SetGlobalAmbient(r, g, b, a); }

void Light::Enable() {
  if (!light_) return;
  glEnable(light_);
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, SharedLightPool().GlobalAmbient());
  glLightfv(light_, GL_AMBIENT, ambient_.v);
  glLightfv(light_, GL_DIFFUSE, diffuse_.v);
  glLightfv(light_, GL_SPECULAR, specular_.v);
  glLightf(light_, GL_CONSTANT_ATTENUATION, attenuation_[0]);
  glLightf(light_, GL_LINEAR_ATTENUATION, attenuation_[1]);
  glLightf(light_, GL_QUADRATIC_ATTENUATION, attenuation_[2]);
  glEnable(GL_LIGHTING);
}

void Light::SetPosition() {
  if (!light_) return;
  GLfloat position[4];
  if (spot_) {
    // The local Z axis in world coordinates: the row of the world-to-local
    // rotation that maps onto it.
    const Matrix3& m = Matrix();
    for (int i = 0; i < 3; ++i) position[i] = m.rows[2][i];
    position[3] = 0.0f;
  } else {
    for (int i = 0; i < 3; ++i) position[i] = Position()[i];
    position[3] = 1.0f;
    FrameLog("Light pos: (%g,%g,%g)\n", position[0], position[1], position[2]);
  }
  glLightfv(light_, GL_POSITION, position);
}

void Light::Reset() {
  target_path_.Rewind();
  GLMesh::Reset();
}

void Light::Update() {
  GLMesh::Update();
  if (target_path_.KeyCount() > 0) LookAt(target_path_.Update(), 0.0f);
}
