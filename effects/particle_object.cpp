// The particle cloud as a scene mesh: emit, move, age and draw all particles in one batch per mode.
#include "effects/particle_object.h"

#include <GL/glu.h>

#include <cmath>
#include <cstdio>

#include "scene/scene.h"

namespace {

// Speed kept per step.
constexpr float kDrag = 0.97f;

// The particle texture: a Gaussian spot of alpha on a 32 x 32 square whose
// border texels are 0.
constexpr int kTextureSize = 32;
constexpr float kSpotCentre = 16.0f;     // texels
constexpr float kSpotSigma = 6.4f;       // texels
constexpr float kSpotGain = 5.0f;        // peak = gain / (sigma sqrt(2 pi))
constexpr double kSqrtTwoPi = 2.5066282746310007;

const ParticleAttributes kBirth = {{0.5f, 0.2f, 0.2f, 0.4f}, 0.8f, 0.0f};
const ParticleAttributes kDeath = {{0.0f, 1.0f, 1.0f, 0.0f}, 0.2f, 0.0f};
constexpr float kLife = 20.0f;

const float kWhite[4] = {1.0f, 1.0f, 1.0f, 1.0f};

GLuint BuildParticleTexture() {
  float alpha[kTextureSize][kTextureSize];
  for (int r = 0; r < kTextureSize; ++r) {
    for (int c = 0; c < kTextureSize; ++c) {
      const bool border = r == 0 || c == 0 || r == kTextureSize - 1 || c == kTextureSize - 1;
      const float d2 = (c - kSpotCentre) * (c - kSpotCentre) + (r - kSpotCentre) * (r - kSpotCentre);
      alpha[r][c] = border ? 0.0f
                           : static_cast<float>(kSpotGain * std::exp(-d2 * 0.5f / (kSpotSigma * kSpotSigma)) /
                                                (kSpotSigma * kSqrtTwoPi));
    }
  }
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, kWhite);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
  gluBuild2DMipmaps(GL_TEXTURE_2D, GL_ALPHA8, kTextureSize, kTextureSize, GL_ALPHA, GL_FLOAT, alpha);
  return texture;
}

}  // namespace

ParticleObject::ParticleObject(const PathLocation& location, std::unique_ptr<Distribution> positions,
                               std::unique_ptr<Distribution> velocities, float rate)
    : GLMesh(location),
      emitter_{std::move(positions), std::move(velocities), rate},
      director_(std::make_unique<PAG>(kBirth, kDeath, kLife)),
      force_field_(std::make_unique<gForce>()),
      texture_(BuildParticleTexture()) {
  SetCacheable(false);
}

ParticleObject::~ParticleObject() { glDeleteTextures(1, &texture_); }

void ParticleObject::SetCollisionSquare(const vec<float, 3>& lower, const vec<float, 3>& upper) {
  square_lower_ = lower;
  square_upper_ = upper;
}

void ParticleObject::SetPointColor(float r, float g, float b, float a) {
  point_color_[0] = r;
  point_color_[1] = g;
  point_color_[2] = b;
  point_color_[3] = a;
}

void ParticleObject::SetSizes(float quad_size, float streak_length) {
  quad_size_ = quad_size;
  streak_length_ = streak_length;
}

void ParticleObject::SetGlow(float core_scale, float halo_opacity) {
  core_scale_ = core_scale;
  halo_opacity_ = halo_opacity;
}

void ParticleObject::SetHeightLimits(float lower, float upper) {
  lower_height_ = lower;
  upper_height_ = upper;
}

void ParticleObject::Render(Scene& scene) {
  if (!IsVisible()) return;
  glPushMatrix();
  glTranslatef(Position()[0], Position()[1], Position()[2]);
  Advance();
  Draw(scene);
  Kill();
  glPopMatrix();
}

void ParticleObject::Step() {
  if (!IsVisible()) return;
  Kill();
  Advance();
}

void ParticleObject::DrawCloud(const Scene& scene) {
  if (!IsVisible()) return;
  glPushMatrix();
  glTranslatef(Position()[0], Position()[1], Position()[2]);
  Draw(scene);
  glPopMatrix();
}

void ParticleObject::Advance() {
  Emit();
  for (Particle& p : particles_) p.force += force_field_->Force(p);
  Move();
  for (Particle& p : particles_) {
    Bounce(p);
    p.position = p.next;
  }
}

void ParticleObject::RenderWith(Scene&, const AttributeList&) { std::printf("Eipa tulla tanne !\n"); }

void ParticleObject::Emit() {
  for (int k = PoissonCount(time_step_ * emitter_.rate); k > 0; --k) {
    Particle p;
    p.velocity = emitter_.velocity->sample();
    p.position = emitter_.position->sample();
    p.force = vec<float, 3>(0.0f);
    p.age = 0.0f;
    p.next = p.position;
    p.unused = 0.0f;
    particles_.Add(p);
  }
}

// Half the step's velocity before the push and half after it.
void ParticleObject::Move() {
  const float h = time_step_;
  for (Particle& p : particles_) {
    p.next = p.position + p.velocity * (h * 0.5f);
    p.velocity += p.force * h;
    p.velocity *= kDrag;
    p.next += p.velocity * (h * 0.5f);
    p.force = vec<float, 3>(0.0f);
    p.age += h;
  }
}

// A perfect mirror: no energy lost, no friction.
void ParticleObject::Bounce(Particle& p) const {
  const float plane = square_lower_[1];
  const float before = p.position[1] - plane, after = p.next[1] - plane;
  if (!((before > 0.0f && after < 0.0f) || (before < 0.0f && after > 0.0f))) return;
  const vec<float, 3> hit = p.position + (p.next - p.position) * (before / (before - after));
  if (hit[0] < square_lower_[0] || hit[0] > square_upper_[0] || hit[2] < square_lower_[2] ||
      hit[2] > square_upper_[2])
    return;
  p.velocity[1] = -p.velocity[1];
  p.next[1] = plane - after;
}

void ParticleObject::Kill() {
  particles_.RemoveIf([this](const Particle& p) { return p.position[2] < lower_height_; });
  particles_.RemoveIf([this](const Particle& p) { return p.position[2] > upper_height_; });
  particles_.RemoveIf([this](const Particle& p) { return p.age >= age_limit_; });
}

// Leaves the current colour white: the colour array leaves it undefined.
void ParticleObject::Draw(const Scene& scene) {
  if (particles_.Empty()) return;
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  switch (mode_) {
    case kParticlePoints:
      DrawPoints();
      break;
    case kParticleSprites:
    case kParticleGlow:
      DrawSprites(scene);
      break;
    case kParticleStreaks:
      DrawStreaks();
      break;
    default:
      break;
  }
  glColor4fv(kWhite);
}

// Straight from the records: their positions, a record apart.
void ParticleObject::DrawPoints() {
  glColor4fv(point_color_);
  glVertexPointer(3, GL_FLOAT, sizeof(Particle), particles_[0].position.v);
  glEnableClientState(GL_VERTEX_ARRAY);
  glDrawArrays(GL_POINTS, 0, static_cast<GLsizei>(particles_.Size()));
  glDisableClientState(GL_VERTEX_ARRAY);
}

void ParticleObject::DrawStreaks() {
  lines_.clear();
  for (const Particle& p : particles_) {
    lines_.push_back(p.position);
    lines_.push_back(p.position - p.velocity * streak_length_);
  }
  glColor4fv(point_color_);
  glVertexPointer(3, GL_FLOAT, 0, lines_.data());
  glEnableClientState(GL_VERTEX_ARRAY);
  glDrawArrays(GL_LINES, 0, static_cast<GLsizei>(lines_.size()));
  glDisableClientState(GL_VERTEX_ARRAY);
}

void ParticleObject::DrawSprites(const Scene& scene) {
  const Matrix3& axes = scene.GetViewpoint()->Matrix();
  const vec<float, 3>& right = axes.rows[0];
  const vec<float, 3>& up = axes.rows[1];
  sprites_.clear();
  for (const Particle& p : particles_) {
    ParticleAttributes look = director_->AttributesOf(p);
    const float half = look.size * quad_size_;
    if (mode_ == kParticleGlow) {
      const float core[4] = {1.0f, 1.0f, 1.0f, look.color[3]};
      AddQuad(p.position, right * (half * core_scale_), up * (half * core_scale_), core);
      look.color[3] *= halo_opacity_;
      AddQuad(p.position, right * half, up * half, look.color);
    } else {
      AddQuad(p.position, right * half, up * half, look.color);
    }
  }
  glDepthMask(GL_FALSE);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, texture_);
  glDisable(GL_CULL_FACE);
  const SpriteVertex* first = sprites_.data();
  glTexCoordPointer(2, GL_FLOAT, sizeof(SpriteVertex), &first->u);
  glColorPointer(4, GL_FLOAT, sizeof(SpriteVertex), first->color);
  glVertexPointer(3, GL_FLOAT, sizeof(SpriteVertex), first->position.v);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glEnableClientState(GL_VERTEX_ARRAY);
  glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(sprites_.size()));
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glDisableClientState(GL_COLOR_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
  glEnable(GL_CULL_FACE);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  glDepthMask(GL_TRUE);
}

void ParticleObject::AddQuad(const vec<float, 3>& centre, const vec<float, 3>& right, const vec<float, 3>& up,
                             const float color[4]) {
  const struct {
    float u, v, across, along;
  } corners[4] = {{0, 0, -1, -1}, {1, 0, 1, -1}, {1, 1, 1, 1}, {0, 1, -1, 1}};
  for (const auto& c : corners) {
    SpriteVertex vertex{c.u, c.v, {color[0], color[1], color[2], color[3]}, centre + right * c.across + up * c.along};
    sprites_.push_back(vertex);
  }
}
