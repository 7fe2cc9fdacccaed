// Reflection coordinates for a nearly level liquid surface, smooth at the
// grazing angles from which a low camera sees it.
#pragma once

#include "scene/attribute.h"

// Maps whatever texture is bound (the mesh's Texture attribute placed before
// it) by the eye-space reflection direction, through a paraboloid round the
// direction the camera looks along: straight ahead is the texture's centre,
// square to the view its inscribed circle. A sphere map gathers its whole rim
// into the point straight ahead, so a level surface seen low shows streaks
// that converge there and a seam where its coordinates wrap; this mapping is
// singular only for reflections straight back at the camera. Normals must be
// normalised (the show's initial state). The texture matrix and coordinate
// generation are restored after the draw. Made for the ripple surfaces,
// which are drawn from their arrays every frame: a mesh that carries it is
// never compiled.
class PoolReflection : public Attribute {
 public:
  PoolReflection() : Attribute(kTextureKind, 0, true) {}
  void BeginArrays(Scene&, GLMesh&) override;
  void EndArrays(Scene&, GLMesh&) override;
};
