// The height of a terrain mesh under a point of the ground plane, for
// putting things on the ground where the terrain is.
#pragma once

#include <optional>
#include <vector>

#include "maths/vec.h"
#include "scene/gl_mesh.h"

class GroundProbe {
 public:
  struct Ground {
    float height;  // z of the highest surface above or below the point
    vec3f normal;  // its unit normal, facing up
  };

  // Reads the terrain's triangles as authored: in world coordinates, z up.
  explicit GroundProbe(const GLMesh& terrain);

  // The terrain at (x, y); none outside it or over a hole.
  std::optional<Ground> At(float x, float y) const;

  // The terrain's extent in x and y.
  const vec<float, 2>& Low() const { return low_; }
  const vec<float, 2>& High() const { return high_; }

 private:
  static constexpr int kCells = 32;  // buckets along each axis

  int Cell(float value, int axis) const;

  std::vector<vec3f> corners_;                  // three per triangle
  std::vector<std::vector<uint32_t>> buckets_;  // triangle indices per cell
  vec<float, 2> low_ = vec<float, 2>(0.0f);
  vec<float, 2> high_ = vec<float, 2>(0.0f);
};
