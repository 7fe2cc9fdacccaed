// Growing a tree's tubes and leaves into one mesh, within the array sizes its depth allows.
#include "effects/tree.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "maths/pi.h"
#include "maths/quaternion.h"
#include "scene/scene.h"

namespace {

constexpr int32_t kLastDepth = 20;  // branches at this depth end in a leaf
constexpr int32_t kSecondHalfDepth = 13;
constexpr float kThinnestSplit = 0.1f;  // a branch this wide or narrower ends in a leaf
constexpr uint32_t kLeafVertexReserve = 512;
constexpr uint32_t kLeafTriangleReserve = 256;
constexpr float kLeafLength = 100.0f;  // x leaf size
constexpr float kLeafHalfWidth = 50.0f;
// Keeps bark lookups off the texture's left edge, where wrapping would blend
// in the leaves of the right edge.
constexpr float kBarkEdgeU = 0.01f;

// A ring needs two positions: the angle step is 2 pi / (positions - 1).
int32_t RingPositions(int32_t sides) { return std::max(sides, 2); }

}  // namespace

vec3f Rotate(const vec3f& v, const vec3f& axis, float angle) {
  // RotationMatrix takes world directions into the quaternion's frame, so
  // the conjugate's matrix turns by +angle.
  return RotationMatrix(Conjugate(QuaternionFromAxisAngle(axis, angle))) * v;
}

TreeHalf::TreeHalf(int32_t first_depth, int32_t sides) {
  const size_t k = size_t(std::clamp(kLastDepth + 1 - first_depth, 1, kLastDepth));
  const size_t n = size_t(RingPositions(sides));
  const size_t leaf_reserve = 2 * k * k;
  const size_t tubes = (size_t(1) << k) - 1;
  const size_t vertex_count = 4 * leaf_reserve + 2 * tubes * n;
  const size_t triangle_count = 2 * leaf_reserve + 2 * tubes * (n - 1);
  vertices_.assign(vertex_count, vec3f(0.0f));
  map_coordinates_.assign(vertex_count, vec<float, 2>(0.0f));
  triangles_.assign(triangle_count, Mesh3::Simplex{0, 0, 0});
  // A small tree reserves fewer than 128 leaves: then only that many, so
  // that its tubes still fit in front of them.
  leaf_vertex_start_ = uint32_t(vertex_count - std::min<size_t>(kLeafVertexReserve, 4 * leaf_reserve));
  leaf_triangle_start_ = uint32_t(triangle_count - std::min<size_t>(kLeafTriangleReserve, 2 * leaf_reserve));
}

bool TreeHalf::AddTube(const vec3f& p, const vec3f& end, const vec3f& side, float w0, float w1, int32_t sides) {
  const uint64_t n = uint64_t(RingPositions(sides));
  // A tube goes in whole or not at all, so no triangle names a vertex that
  // was left out.
  if (tube_vertices_ + 2 * n > leaf_vertex_start_ || tube_triangles_ + 2 * (n - 1) > leaf_triangle_start_) {
    std::puts("erhe");
    return false;
  }
  const vec3f s = side.Normalized();
  const vec3f b = Cross(side, end - p).Normalized();
  for (uint32_t i = 0; i < n; ++i) {
    const float t = float(i) * 2.0f * kPi / float(n - 1);
    const vec3f around = b * std::cos(t) + s * std::sin(t);
    const uint32_t v = tube_vertices_;
    vertices_[v] = p + around * (w0 / 2);
    vertices_[v + 1] = end + around * (w1 / 2);
    map_coordinates_[v] = vec<float, 2>(float(i) / float(2 * (n - 1)), 1.0f);
    map_coordinates_[v + 1] = vec<float, 2>(float(i) / float(4 * (n - 1)), 0.0f);
    if (i + 1 < n) {
      triangles_[tube_triangles_++] = {v, v + 2, v + 1};
      triangles_[tube_triangles_++] = {v + 3, v + 1, v + 2};
    }
    tube_vertices_ += 2;
  }
  return true;
}

bool TreeHalf::AddLeaf(const vec3f& tip, const vec3f& along, const vec3f& side, float leaf_size) {
  const uint32_t v = leaf_vertex_start_ + 4 * leaves_;
  const uint32_t t = leaf_triangle_start_ + 2 * leaves_;
  if (v + 4 > vertices_.size() || t + 2 > triangles_.size()) return false;
  const vec3f length = along * (kLeafLength * leaf_size);
  const vec3f half_width = side * (kLeafHalfWidth * leaf_size);
  vertices_[v] = tip + length + half_width;
  vertices_[v + 1] = tip + length - half_width;
  vertices_[v + 2] = tip - half_width;
  vertices_[v + 3] = tip + half_width;
  map_coordinates_[v] = vec<float, 2>(0.5f, 0.0f);
  map_coordinates_[v + 1] = vec<float, 2>(1.0f, 0.0f);
  map_coordinates_[v + 2] = vec<float, 2>(1.0f, 1.0f);
  map_coordinates_[v + 3] = vec<float, 2>(0.5f, 1.0f);
  // Wound to face side x along, as the bark at the tube's first ring position.
  triangles_[t] = {v, v + 1, v + 2};
  triangles_[t + 1] = {v, v + 2, v + 3};
  ++leaves_;
  return true;
}

void TreeHalf::GrowBranch(const vec3f& p, const vec3f& d, const vec3f& side, float width, int32_t depth,
                          const BranchShape& shape) {
  const vec3f u = d.Normalized();
  const vec3f end = p + d;
  const float ratio = std::clamp(shape.ratio, 0.0f, 1.0f);
  const float first = std::sqrt(ratio), second = std::sqrt(1.0f - ratio);
  // The pipe rule: the children's cross-sections add up to the parent's.
  AddTube(p, end, side, width, width * std::max(first, second), shape.sides);
  if (depth >= kLastDepth || !(width > kThinnestSplit)) {
    AddLeaf(end, u, side, shape.leaf_size);
    return;
  }
  const vec3f twisted = Rotate(side, u, shape.twist);
  const vec3f d1 = Rotate(d, twisted.Normalized(), (1.0f - ratio) * shape.spread);
  GrowBranch(end, d1 * first, Cross(d1, d).Normalized(), width * first, depth + 1, shape);
  const vec3f d2 = Rotate(d, -twisted.Normalized(), ratio * shape.spread);
  GrowBranch(end, d2 * second, Cross(d, d2).Normalized(), width * second, depth + 1, shape);
}

void BuildTree(const TreeParameters& tree, GLMesh& mesh, Scene& scene) {
  // Each level below depth 1 would double arrays that already hold a
  // million tubes.
  const int32_t depth = std::max(tree.depth, 1);
  TreeHalf first(depth, tree.shape.sides), second(depth, tree.shape.sides);
  first.GrowBranch(tree.root, tree.growth, tree.side, tree.width, depth, tree.shape);
  BranchShape turned = tree.shape;
  turned.twist += kPi;
  second.GrowBranch(tree.root, tree.growth, tree.side, tree.width, kSecondHalfDepth, turned);

  std::vector<vec3f> vertices = first.Vertices();
  vertices.insert(vertices.end(), second.Vertices().begin(), second.Vertices().end());
  std::vector<vec<float, 2>> map = first.MapCoordinates();
  map.insert(map.end(), second.MapCoordinates().begin(), second.MapCoordinates().end());
  std::vector<Mesh3::Simplex> triangles = first.Triangles();
  const uint32_t offset = uint32_t(first.Vertices().size());
  for (Mesh3::Simplex triangle : second.Triangles()) {
    for (uint32_t& index : triangle) index += offset;
    triangles.push_back(triangle);
  }
  for (vec<float, 2>& uv : map)
    if (uv[0] == 0.0f) uv[0] = kBarkEdgeU;
  TextureRef* texture = scene.Textures().GetTexture("Puutex", "puutex2.jpg");
  mesh.SetGeometry(std::move(vertices), std::move(triangles), std::move(map), {texture});
}
