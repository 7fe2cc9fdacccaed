// Growing the nature parts' trees in their placeholders, rooted on the terrain.
#include "parts/tree_planting.h"

#include <cmath>
#include <cstdio>
#include <optional>

#include "parts/ground_probe.h"
#include "parts/scene_dressing.h"

namespace {

constexpr float kRootSink = 4.0f;  // file units a trunk goes into the ground
constexpr float kBarkRightEdgeU = 0.5f;  // leaves lie right of it in the texture

// Leaves shade as one round crown rather than card by card: each leaf
// corner's normal points out from the middle of all the leaves, so a crown
// lit from behind is dark on the camera's side with a bright rim.
void RoundCrown(GLMesh& tree) {
  const std::vector<vec3f>& vertices = tree.VertexArray();
  const std::vector<vec<float, 2>>& map = tree.MapCoordinates();
  std::vector<bool> leaf(vertices.size(), false);
  // Every leaf triangle has a corner in the leaf half; no bark corner does.
  for (const Mesh3::Simplex& t : tree.Triangles())
    if (map[t[0]][0] > kBarkRightEdgeU || map[t[1]][0] > kBarkRightEdgeU || map[t[2]][0] > kBarkRightEdgeU)
      for (uint32_t corner : t) leaf[corner] = true;
  vec3f middle(0.0f);
  int count = 0;
  for (size_t i = 0; i < vertices.size(); ++i)
    if (leaf[i]) {
      middle += vertices[i];
      ++count;
    }
  if (count == 0) return;
  middle *= 1.0f / float(count);
  std::vector<vec3f>& normals = tree.Normals();
  for (size_t i = 0; i < vertices.size(); ++i)
    if (leaf[i] && (vertices[i] - middle).Length() > 0.0f) normals[i] = (vertices[i] - middle).Normalized();
}

}  // namespace

void PlantTrees(Scene& scene, const char* terrain, const std::vector<TreePlan>& plans) {
  const GLMesh* ground = scene.FindObject(terrain);
  const std::optional<GroundProbe> probe = ground ? std::optional<GroundProbe>(*ground) : std::nullopt;
  for (const TreePlan& plan : plans) {
    GLMesh* placeholder = scene.FindObject(plan.placeholder);
    if (!placeholder) {
      std::puts("Ei loydy !!");
      continue;
    }
    if (placeholder->VertexArray().empty()) continue;
    vec3f root = placeholder->VertexArray()[0];
    // On the terrain as it is drawn, which its recipe only approximates.
    if (const auto under = probe ? probe->At(root[0], root[1]) : std::nullopt) root[2] = under->height;
    root[2] -= kRootSink;
    BranchShape shape = plan.kind->shape;
    shape.sides = plan.sides;
    const TreeParameters tree{vec3f(0.0f),
                              vec3f(plan.lean[0], plan.lean[1], 1.0f) * plan.kind->height,
                              vec3f(std::cos(plan.turn), std::sin(plan.turn), 0.0f),
                              plan.kind->width,
                              plan.depth,
                              shape};
    BuildTree(tree, *placeholder, scene);
    // The tree comes in arrays sized for its deepest growth; what it did not
    // fill would be drawn as empty triangles.
    std::vector<Mesh3::Simplex> grown;
    for (const Mesh3::Simplex& t : placeholder->Triangles())
      if (t[0] != t[1] || t[1] != t[2]) grown.push_back(t);
    std::vector<vec3f> vertices = placeholder->VertexArray();
    for (vec3f& v : vertices) v = root + v * plan.size;
    placeholder->SetGeometry(std::move(vertices), std::move(grown), placeholder->MapCoordinates(),
                             {placeholder->FirstTexture()});
    RoundCrown(*placeholder);
    DressCutOut(*placeholder);
  }
}
