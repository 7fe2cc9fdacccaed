// The metaball mesh: moving the balls, rebuilding the surface when they move, drawing it sphere-mapped.
#include "effects/metaballs.h"

#include <cmath>

#include "scene/basic_attributes.h"
namespace {

// Passes the mesh's normals for a draw.
class NormalsScope {
 public:
  explicit NormalsScope(const GLMesh& mesh) {
    glNormalPointer(GL_FLOAT, 0, mesh.Normals().data());
    glEnableClientState(GL_NORMAL_ARRAY);
  }
  ~NormalsScope() { glDisableClientState(GL_NORMAL_ARRAY); }
};

}  // namespace

std::vector<vec<float, 3>> TechnoBallCentres(int frame) {
  std::vector<vec<float, 3>> centres;
  const double phase = frame / 10.0;
  for (int i = 0; i < kTechnoBallCount; ++i) {
    const double a = i / 3.0;
    centres.emplace_back(static_cast<float>(126.0 * std::cos(phase) * std::sin(a)),
                         static_cast<float>(237.0 * std::cos(phase + a)),
                         static_cast<float>(124.0 * std::cos(7.0 * std::sin(a) + phase)));
  }
  return centres;
}

MetaballObject::MetaballObject(const PathLocation& location, float ball_radius, float cell_size,
                               TextureRef* environment)
    : GLMesh(location), surface_(ball_radius, cell_size) {
  SetName("metaballs");
  if (environment) SetFirstTexture(environment);
  AddAttribute(new Texture());
  AddAttribute(new EnvironmentMap(FirstTexture()));
  SetCacheable(false);
}

void MetaballObject::SetCentres(std::vector<vec<float, 3>> centres) {
  centres_ = std::move(centres);
  stale_ = true;
}

void MetaballObject::Rebuild() {
  if (!stale_) return;
  surface_.Build(centres_, spare_);
  SwapSurface(spare_.vertices, spare_.triangles, spare_.normals);
  stale_ = false;
}

void MetaballObject::Update(Scene& scene) {
  Rebuild();
  GLMesh::Update(scene);
}

void MetaballObject::Render(Scene& scene) {
  if (!IsVisible()) return;
  Rebuild();
  NormalsScope normals(*this);
  GLMesh::Render(scene);
}

void MetaballObject::RenderWith(Scene& scene, const AttributeList& attributes) {
  if (!IsVisible()) return;
  Rebuild();
  NormalsScope normals(*this);
  GLMesh::RenderWith(scene, attributes);
}
