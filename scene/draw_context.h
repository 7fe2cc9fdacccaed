// What a scene shares with the meshes it draws: the scale of its world and the
// running count of the triangles drawn. Meshes reach it through ContextOf, so
// they need nothing else of the scene.
#pragma once

#include <GL/gl.h>

#include <cstdint>

#include "maths/vec.h"

class Scene;

struct DrawContext {
  vec<float, 3> scale = vec<float, 3>(1.0f);
  uint32_t triangles = 0;  // never reset: a count since the scene was made

  // Multiplies the current matrix by the scale.
  void ApplyScale() const { glScalef(scale[0], scale[1], scale[2]); }
};

// The context that `scene` owns (defined with Scene).
DrawContext& ContextOf(Scene& scene);
