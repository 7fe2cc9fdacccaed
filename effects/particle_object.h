// A cloud of particles as one mesh of the scene: an emitter makes them at
// a random rate, a force field pulls, they move with drag, age and die; each
// Render advances one fixed step and draws the cloud in one batch as points,
// glowing camera-facing sprites, streaks, or sprites with a white-hot core.
// A part may instead step the cloud while it animates and draw it apart.
#pragma once

#include <GL/gl.h>

#include <memory>
#include <vector>

#include "effects/particle.h"
#include "effects/particle_fields.h"
#include "effects/particle_sources.h"
#include "scene/gl_mesh.h"

// New particles per step: a Poisson count with mean time step x rate, each
// with a velocity and then a position sampled from the distributions.
struct Emitter {
  std::unique_ptr<Distribution> position;
  std::unique_ptr<Distribution> velocity;
  float rate;  // particles per time unit
};

// Render modes; any other value draws nothing.
enum ParticleMode : int {
  kParticlePoints = 0,   // GL_POINTS in the point colour
  kParticleSprites = 1,  // textured quads, colour and size by age, additive
  kParticleStreaks = 2,  // lines from each position back along its velocity
  kParticleGlow = 3,     // mode 1's quad as a dimmer halo round a small white core
};

class ParticleObject : public GLMesh {
 public:
  // Starts empty, with the director from (0.5, 0.2, 0.2, 0.4) size 0.8 to
  // (0, 1, 1, 0) size 0.2 over a life of 20, gravity, mode 0, the collision
  // square at y = -10000, heights -10 to 10 and age limit 150. Builds the
  // particle texture: needs a current GL context.
  ParticleObject(const PathLocation& location, std::unique_ptr<Distribution> positions,
                 std::unique_ptr<Distribution> velocities, float rate);
  ~ParticleObject() override;

  // When visible, under the object's position: one step (emit, forces,
  // move, bounce), the draw, then the particles out of their height band or
  // past their age die. The camera's right and up axes face the sprites.
  // Leaves lighting, blending and texturing off, depth writes and culling
  // on, and the current colour white.
  void Render(Scene& scene) override;
  // When visible: the dying of the last step, then one step as Render takes
  // it, drawing nothing. With DrawCloud, the frames are those of Render.
  void Step();
  // When visible: the draw of Render, changing nothing.
  void DrawCloud(const Scene& scene);
  // Not supported: writes "Eipa tulla tanne !" and draws nothing.
  void RenderWith(Scene& scene, const AttributeList& attributes) override;

  void SetRenderMode(int mode) { mode_ = mode; }
  // A particle whose step crosses the plane y = lower[1] at an x and z
  // within [lower, upper] bounces off it.
  void SetCollisionSquare(const vec<float, 3>& lower, const vec<float, 3>& upper);
  void SetPointColor(float r, float g, float b, float a);
  // Sprite half-size per unit of particle size, and the streak length per
  // unit of speed.
  void SetSizes(float quad_size, float streak_length);
  // Mode 3: the core's half-size relative to the sprite's, and the halo's
  // opacity relative to the particle's.
  void SetGlow(float core_scale, float halo_opacity);
  // Particles below `lower` or above `upper` in z die after they are drawn.
  void SetHeightLimits(float lower, float upper);
  void SetAgeLimit(float age) { age_limit_ = age; }
  void SetRate(float rate) { emitter_.rate = rate; }
  void SetForceField(std::unique_ptr<ForceField> field) { force_field_ = std::move(field); }
  void SetDirector(std::unique_ptr<ParticleAttributeDirector> director) { director_ = std::move(director); }

  ParticleList& Particles() { return particles_; }
  GLuint ParticleTexture() const { return texture_; }

 private:
  struct SpriteVertex {
    float u, v;
    float color[4];
    vec<float, 3> position;
  };

  // Emit, forces, move, bounce.
  void Advance();
  void Emit();
  void Move();
  void Bounce(Particle& particle) const;
  void Kill();
  void Draw(const Scene& scene);
  void DrawPoints();
  void DrawStreaks();
  // Mode 1 and 3 quads, gathered and then drawn in one call.
  void DrawSprites(const Scene& scene);
  void AddQuad(const vec<float, 3>& centre, const vec<float, 3>& right, const vec<float, 3>& up, const float color[4]);

  ParticleList particles_;
  Emitter emitter_;
  std::unique_ptr<ParticleAttributeDirector> director_;
  float time_step_ = 0.1f;
  std::unique_ptr<ForceField> force_field_;
  int mode_ = kParticlePoints;
  vec<float, 3> square_lower_ = vec<float, 3>(-1.0f, -10000.0f, -1.0f);
  vec<float, 3> square_upper_ = vec<float, 3>(1.0f, -10000.0f, 1.0f);
  float quad_size_ = 1.0f;
  float streak_length_ = 0.1f;
  float core_scale_ = 0.4f;
  float halo_opacity_ = 0.8f;
  float lower_height_ = -10.0f;
  float upper_height_ = 10.0f;
  float age_limit_ = 150.0f;
  float point_color_[4] = {0.7f, 0.7f, 0.7f, 1.0f};
  GLuint texture_ = 0;
  std::vector<SpriteVertex> sprites_;
  std::vector<vec<float, 3>> lines_;
};
