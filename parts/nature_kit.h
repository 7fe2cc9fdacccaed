// What the three nature parts share in dressing their scenes: the evening
// sky behind them and on their water, cut-outs (reeds, flowers) scattered
// over their ground, procedural trees and a flock of birds.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "effects/flock.h"
#include "effects/multi_texture.h"
#include "effects/tree.h"
#include "parts/ground_probe.h"
#include "scene/scene.h"

// The sky sphere-mapped on the water (unit 0, its own colours) and tinted by
// the water's texture (unit 1, its map coordinates): the water carries the
// sunset, darker than the sky, and ripples, tilting the normals, move it.
MultiTexture* SkyOnWater(const TextureRef& sky);

// The evening sky behind the scene, and on its `water` object, where the
// scene has one, the sky as water reflects it ("skywater.jpg", a sphere map
// without a sun, through SkyOnWater); its "Omni" light, which the file gives
// as ambient only, lights like the sun: diffusely in its own colour, with
// 0.35 of it as ambient.
void DressEveningWater(Scene& scene, const char* water);

// Points along the camera's keyed position path, in file units.
std::vector<vec3f> CameraTrack(const GLMesh& camera);
// Distance in the ground plane from the point to the polyline; far away
// for an empty one.
float DistanceToTrack(const std::vector<vec3f>& track, float x, float y);

// Where and how densely copies of a cut-out grow.
struct ScatterRule {
  float lowest, highest;        // ground heights where it grows, file units
  float flattest_normal_z;      // steeper ground (a smaller normal z) is bare
  int clumps;                   // clumps placed
  int per_clump;                // copies tried around each clump's centre
  float clump_radius;           // file units
  float near_track, far_track;  // full density up to near, none beyond far
  float clearance;              // none nearer the camera's track than this
  float smallest, largest;      // size of a copy against the template
  float lean;                   // largest tilt from upright, radians
};

// Copies of the template standing on the terrain in clumps, each turned,
// sized and leaning at random, the whole set the same for the same seed.
// Each copy's foot (the middle of the template's lowest points) is set at
// the lowest ground under its footprint, so that no part of the foot floats.
// The copies form one new object, "<template>_copies", with the template's
// location and textures, dressed as a cut-out and made a child of the
// terrain: drawn with it, in its place in the scene's order. Null when no
// copy found ground. The template itself is left as it is.
GLMesh* ScatterCutOuts(GLMesh& terrain, const GroundProbe& ground, const GLMesh& cut_out,
                       const std::vector<vec3f>& camera_track, const ScatterRule& rule, uint32_t seed);

// A template object of the scene and how it grows.
struct Planting {
  const char* cut_out;
  ScatterRule rule;
};
// Scatters each template that the scene has over the named terrain, along
// the track of "Camera01", the n-th template with seed + n. Does nothing
// without the terrain or the camera.
void ScatterOverGround(Scene& scene, const char* terrain, const std::vector<Planting>& plantings, uint32_t seed);

// A kind of tree in tree units, where the trunk is one unit long: how its
// branches split, and its trunk's width, which decides how soon branching
// ends (branches of width 0.1 or less end in a leaf) and so its detail.
struct TreeKind {
  BranchShape shape;  // its sides are the plan's
  float width;
};

// One tree grown in a placeholder object of the scene.
struct TreePlan {
  const char* placeholder;  // its first vertex is the root on the ground
  const TreeKind* kind;
  float size;     // file units per tree unit: the trunk's length
  vec3f lean;     // the trunk's tilt, tree units across per unit up
  float turn;     // radians about z: where the first branches point
  int32_t sides;  // tube ring positions: fewer far from the camera
  int32_t depth;  // first depth of the first half: lower, more levels
};

// Fills each placeholder with its tree, grown in tree units and set at its
// size on the terrain under the root (a little into it, hiding the seam;
// at the root itself off the terrain), and dresses it as a cut-out. Writes
// "Ei loydy !!" for a placeholder that the scene lacks.
void PlantTrees(Scene& scene, const char* terrain, const std::vector<TreePlan>& plans);

// Ten birds of "kurppa.3ds" wheeling round (0, 0, 3) of the flock's space,
// drawn at the part's size (the flock's space is 1250 model units to one of
// its own; the part scales that into its scene).
class BirdFlock {
 public:
  static constexpr int kBirds = 10;

  explicit BirdFlock(float size) : size_(size) {}
  // Loads the bird and makes the flock, already gathered (200 steps on);
  // without the model there is none.
  void Load();
  // One step of the flock: 0.1 of its time, whatever the frame's length.
  void Update();
  // Draws the birds under the current model-view matrix, scaled by the
  // part's size, which it leaves as it was.
  void Draw(Scene& scene);

  Flock* Birds() { return flock_.get(); }

 private:
  float size_;
  Scene bird_;
  std::unique_ptr<Flock> flock_;
};
