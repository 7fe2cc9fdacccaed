// Liquid chrome: a mesh of the scene whose surface flows round balls that
// move every frame, rebuilt from their field each time they move and drawn
// with an environment picture sphere-mapped over it.
#pragma once

#include <vector>

#include "effects/metaball_surface.h"
#include "scene/gl_mesh.h"

struct TextureRef;

// The balls of the second machine part: their radius and the lattice
// spacing that keeps the surface near 6,000 triangles, in scene units.
constexpr int kTechnoBallCount = 20;
constexpr float kTechnoBallRadius = 48.0f;
constexpr float kTechnoCellSize = 16.0f;

// Where the second machine part puts its twenty balls in frame n: ball i at
// (126 cos(n/10) sin(i/3), 237 cos(n/10 + i/3), 124 cos(7 sin(i/3) + n/10)),
// worked out in double precision.
std::vector<vec<float, 3>> TechnoBallCentres(int frame);

class MetaballObject : public GLMesh {
 public:
  // Balls of the given radius on a lattice of the given spacing (see
  // MetaballSurface), drawn as the environment picture sphere-mapped (the
  // Texture and EnvironmentMap attributes; the "default" texture when
  // `environment` is null). Never compiled into a display list. Needs a
  // current GL context.
  MetaballObject(const PathLocation& location, float ball_radius, float cell_size, TextureRef* environment);

  // The centres in the object's own space (scene coordinates when the object
  // stands unturned at the origin, looking along -z with y up, as the loaded
  // meshes do); the surface follows at the next Rebuild, Update or draw.
  void SetCentres(std::vector<vec<float, 3>> centres);
  const std::vector<vec<float, 3>>& Centres() const { return centres_; }
  // Rebuilds the surface when the centres changed since the last build.
  void Rebuild();

  // Rebuild, then the attributes' updates.
  void Update(Scene& scene) override;
  using GLMesh::Update;
  // Rebuild, then drawn as any mesh, with the surface's normals passed
  // whatever the attributes, so sphere maps and lighting see them.
  void Render(Scene& scene) override;
  void RenderWith(Scene& scene, const AttributeList& attributes) override;

  const MetaballSurface& Surface() const { return surface_; }

 private:
  MetaballSurface surface_;
  SurfaceArrays spare_;  // the previous surface's arrays, reused
  std::vector<vec<float, 3>> centres_;
  bool stale_ = false;
};
