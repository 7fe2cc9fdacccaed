// Lights, each holding one of the eight OpenGL lights from a shared pool.
#pragma once

#include <GL/gl.h>

#include "scene/gl_mesh.h"

// The eight OpenGL lights GL_LIGHT0 to GL_LIGHT7, shared by every scene,
// and the light-model ambient that every light applies.
class LightPool {
 public:
  static constexpr int kSize = 8;
  // The light name of the first free slot, marked used; 0 when all eight
  // are in use.
  GLenum Allocate();
  void Release(GLenum light);
  // Frees every slot; the global ambient stays.
  void ResetAll();

  void SetGlobalAmbient(float r, float g, float b, float a);
  const GLfloat* GlobalAmbient() const { return global_ambient_; }

 private:
  bool in_use_[kSize] = {};
  GLfloat global_ambient_[4] = {0.0f, 0.0f, 0.0f, 0.0f};
};

// The one pool of the process, made on first use. Lights take a slot when
// made and give it back when destroyed; the intro frees every slot before
// each scene part loads; Light::SetGlobalAmbient writes the ambient.
LightPool& SharedLightPool();

class Light : public GLMesh {
 public:
  // Colours take alpha 1. A light that finds the pool full is refused with
  // a message and stays dark.
  Light(const PathLocation& location, const vec<float, 3>& ambient, const vec<float, 3>& diffuse,
        const vec<float, 3>& specular, const vec<float, 3>& attenuation, bool spot);
  // Disables its OpenGL light and gives it back to the pool.
  ~Light() override;

  void SetAttenuation(float constant, float linear, float quadratic);
  void SetAmbient(float r, float g, float b, float a);
  void SetDiffuse(float r, float g, float b, float a);
  void SetSpecular(float r, float g, float b, float a);
  // The light-model ambient shared by all lights, kept by the shared pool.
  static void SetGlobalAmbient(float r, float g, float b, float a);

  // Switches the light and lighting on with its colours and attenuation.
  void Enable();
  // An omni light at its position; a spot light as a direction along its
  // local Z axis. Under the current model-view matrix.
  void SetPosition();

  void Reset() override;
  // Also aims at the target path's point when that path has keys.
  void Update() override;
  using GLMesh::Update;

  GLenum LightName() const { return light_; }
  bool IsSpot() const { return spot_; }
  KeyframePath<float, 3>& TargetPath() { return target_path_; }
  const vec<float, 4>& Ambient() const { return ambient_; }
  const vec<float, 4>& Diffuse() const { return diffuse_; }
  const vec<float, 4>& Specular() const { return specular_; }
  const vec<float, 3>& Attenuation() const { return attenuation_; }

 private:
  vec<float, 4> ambient_;
  vec<float, 4> diffuse_;
  vec<float, 4> specular_;
  vec<float, 3> attenuation_;
  bool spot_;
  KeyframePath<float, 3> target_path_;
  GLenum light_;
};
