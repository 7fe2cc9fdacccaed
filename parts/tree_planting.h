// Procedural trees grown in a nature scene's placeholder objects and set on
// its ground.
#pragma once

#include <cstdint>
#include <vector>

#include "effects/tree.h"
#include "scene/scene.h"

// A kind of tree in tree units: how its branches split, its trunk's width,
// which decides how soon branching ends (branches of width 0.1 or less end
// in a leaf) and so its detail, and its trunk's length, which against the
// width makes it slender or stout (every branch keeps the trunk's shape).
struct TreeKind {
  BranchShape shape;  // its sides are the plan's
  float width;
  float height;
};

// One tree grown in a placeholder object of the scene.
struct TreePlan {
  const char* placeholder;  // its first vertex is the root on the ground
  const TreeKind* kind;
  float size;     // file units per tree unit
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
