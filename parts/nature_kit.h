// What the three nature parts share in dressing their scenes: the evening
// sky behind them and on their water, and cut-outs (reeds, flowers) scattered
// over their ground.
#pragma once

#include <cstdint>
#include <vector>

#include "effects/multi_texture.h"
#include "parts/ground_probe.h"
#include "scene/scene.h"

// The evening sky picture, "stoka" from "skysun2.jpg".
TextureRef* SkyTexture(Scene& scene);
// The water's own texture with the sky sphere-mapped over it: the water
// carries the sunset, and ripples, tilting the normals, break it up.
MultiTexture* SkyOnWater(const TextureRef& sky);

// A scene's sun as the file gives it lights only ambiently: it also lights
// diffusely in its own colour, with a third of it as ambient.
void LightLikeTheSun(Light& sun);

// Points along the camera's keyed position path, in file units.
std::vector<vec<float, 3>> CameraTrack(const GLMesh& camera);
// Distance in the ground plane from the point to the polyline; far away
// for an empty one.
float DistanceToTrack(const std::vector<vec<float, 3>>& track, float x, float y);

// Where and how densely copies of a cut-out grow.
struct ScatterRule {
  float lowest, highest;     // ground heights where it grows, file units
  float flattest_normal_z;   // steeper ground (a smaller normal z) is bare
  int clumps;                // clumps placed
  int per_clump;             // copies tried around each clump's centre
  float clump_radius;        // file units
  float near_track, far_track;  // full density up to near, none beyond far
  float clearance;           // none nearer the camera's track than this
  float smallest, largest;   // size of a copy against the template
  float lean;                // largest tilt from upright, radians
};

// Copies of the template standing on the ground in clumps, each turned,
// sized and leaning at random, the whole set the same for the same seed.
// Each copy's foot (the middle of the template's lowest points) is set at
// the lowest ground under its footprint, so that no part of the foot floats.
// The copies form one new object, "<template>_copies", with the template's
// location and textures, dressed as a cut-out and added to the scene; null
// when no copy found ground. The template itself is left as it is.
GLMesh* ScatterCutOuts(Scene& scene, const GLMesh& cut_out, const GroundProbe& ground,
                       const std::vector<vec<float, 3>>& camera_track, const ScatterRule& rule, uint32_t seed);

// A template object of the scene and how it grows.
struct Planting {
  const char* cut_out;
  ScatterRule rule;
};
// Scatters each template that the scene has over the named terrain, along
// the track of "Camera01", the n-th template with seed + n. Does nothing
// without the terrain or the camera.
void ScatterOverGround(Scene& scene, const char* terrain, const std::vector<Planting>& plantings, uint32_t seed);
