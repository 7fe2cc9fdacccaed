// The first machine part's four tubes, hanging from their ceiling mounts and
// rebuilt every frame: ring centres that swing round with a phase, a jitter
// on every vertex, studs at fixed vertex positions, a ring spacing that
// breathes from tube to tube, and a rider object at each tube's lower end.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "maths/pi.h"
#include "scene/gl_mesh.h"

class Scene;
struct TextureRef;

constexpr int kTubeCount = 4;
constexpr int kTubeRings = 32;
constexpr int kRingVertices = 17;  // the 17th closes the ring
constexpr int kTubeVertices = kTubeRings * kRingVertices;
constexpr float kTubeRadius = 250.0f;               // file units
constexpr float kTubeSwing = 5.0f;                  // ring centres swing out by 30 x this at mid-tube
constexpr float kTubePhaseStep = 0.06981317f;       // radians per ring and per frame (4 degrees)
constexpr float kRingAngleStep = kTwoPi / 16;       // radians between ring vertices
constexpr int kStudPeriod = 110;                    // every 110th vertex, counted from 1, is a stud
constexpr float kStudRadius = 1.9f * kTubeRadius;
constexpr float kStudNeighbourRadius = 1.8f * kTubeRadius;
constexpr float kFirstRingSpacing = 50.0f;          // L before the first frame
// Where the three neighbours of a stud on the next and on the previous ring
// stand round the ring, in ring angle steps from the stud's own angle: close
// in, so that the stud reads as a round boss rather than a square plate.
constexpr std::array<float, 3> kOffRingStudOffsets = {-1.0f / 3, 0.0f, 1.0f / 3};

// 256 values drawn once and handed out one after another through a byte
// index that wraps round and is never reset.
class JitterTable {
 public:
  // Each value is lo + ((rand() % 1000) / 1000) x (hi - lo).
  JitterTable(float lo, float hi);
  float Next() { return values_[index_++]; }

 private:
  float values_[256];
  uint8_t index_ = 0;
};

class HangingTubes {
 public:
  // The mount points of the tubes in the scene's file units.
  static const std::array<vec<float, 3>, kTubeCount> kBasePoints;

  // Four tube meshes at the mount points with `skin` as their texture (the
  // "default" texture when null) and no attributes yet, and the jitter table
  // drawn from rand() in [-5, 5]. Needs a current GL context.
  explicit HangingTubes(TextureRef* skin);

  // Puts `rider` (or nobody) at the lower end of tube `tube` at every Build,
  // freed from its own tracks: call before the scene builds its render list.
  void SetRider(int tube, GLMesh* rider);

  // One frame: rebuilds the four tubes in order, each with the ring spacing
  // left by the one before (tube 0 with the previous frame's last), moves the
  // riders, then advances the phase by one.
  void Build();
  // Draws the four tubes under the current matrix (the scene's camera).
  void Draw(Scene& scene);

  GLMesh& Tube(int tube) { return *tubes_[tube]; }
  // The lower end of a tube as last built, in file units.
  const vec<float, 3>& EndPoint(int tube) const { return end_points_[tube]; }
  int Phase() const { return phase_; }

 private:
  // Writes the rings of one tube with ring spacing `spacing`.
  void BuildRings(std::vector<vec<float, 3>>& vertices, float spacing);
  // Raises the studs and their neighbours.
  void RaiseStuds(std::vector<vec<float, 3>>& vertices, float spacing);
  // One vertex of ring `ring` (fractional between rings) whose centre swings
  // by `swing`, `steps` ring angle steps round, at `radius` from the centre.
  vec<float, 3> RingVertex(float ring, float swing, float steps, float radius, float spacing);

  std::array<std::unique_ptr<GLMesh>, kTubeCount> tubes_;
  std::array<GLMesh*, kTubeCount> riders_ = {};
  std::array<vec<float, 3>, kTubeCount> end_points_;
  JitterTable jitter_;
  int phase_ = 0;
  float spacing_ = kFirstRingSpacing;
};
