// Cut-outs (reeds, flowers) scattered over a nature scene's ground in
// clumps, densest along the camera's track.
#pragma once

#include <cstdint>
#include <vector>

#include "parts/ground_probe.h"
#include "scene/scene.h"

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
