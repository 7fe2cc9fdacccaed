// Procedural trees: tapered tubes that split in two until they are thin or
// deep enough, where a leaf quad grows instead; built once into a scene mesh
// whose bark and leaves share the texture "Puutex" ("puutex2.jpg": bark in
// its left half, leaves in its right).
#pragma once

#include <cstdint>
#include <vector>

#include "maths/vec.h"
#include "scene/gl_mesh.h"

class Scene;

// How every branch of a tree splits.
struct BranchShape {
  float spread;     // total angle between two sibling branches, radians
  float twist;      // turn of the side vector about the branch at each split, radians
  float ratio;      // 0 to 1 (kept within): how a branch divides between its two children
  float leaf_size;  // leaves measure 100 x this along the branch and across
  int32_t sides;    // ring positions around a tube, 2 or more; first and last coincide
};

// Points and vectors in the mesh's own coordinates, drawn under its
// location, pivot and frame.
struct TreeParameters {
  vec3f root;     // where the trunk starts
  vec3f growth;   // the trunk: direction and length
  vec3f side;     // across the trunk: tube rings and leaves lie along it
  float width;    // trunk diameter at the root
  int32_t depth;  // of the trunk, 1 or more; branching stops at depth 20
  BranchShape shape;
};

// Turns v about the unit axis by angle radians (right-handed).
vec3f Rotate(const vec3f& v, const vec3f& axis, float angle);

// One half of a tree in arrays of fixed size, for a trunk at first_depth:
// with k = 21 - first_depth (kept within 1 to 20), room for 2 k^2 leaves and
// 2^k - 1 tubes. Tubes fill the arrays from the front; leaves fill a reserve
// at the back of at most 128 leaves (512 vertices, 256 triangles). Unused
// entries stay zero.
class TreeHalf {
 public:
  TreeHalf(int32_t first_depth, int32_t sides);

  // Adds the tube from p to end with diameters w0 and w1 (ring positions
  // from the side vector's perpendicular round through the side vector,
  // outward-facing), or, when the tube would pass the branch room, adds
  // nothing, prints "erhe" and returns false.
  bool AddTube(const vec3f& p, const vec3f& end, const vec3f& side, float w0, float w1, int32_t sides);
  // Adds a leaf at the tip, reaching along the unit direction and across
  // the side vector, facing the way the bark at the tube's first ring
  // position faces; false (and nothing added) when the reserve is full.
  bool AddLeaf(const vec3f& tip, const vec3f& along, const vec3f& side, float leaf_size);
  // A branch from p along d, then its two children, or a leaf at its tip
  // once depth reaches 20 or width is 0.1 or less. Branches that do not fit
  // are left out; the rest of the tree still grows.
  void GrowBranch(const vec3f& p, const vec3f& d, const vec3f& side, float width, int32_t depth,
                  const BranchShape& shape);

  const std::vector<vec3f>& Vertices() const { return vertices_; }
  const std::vector<Mesh3::Simplex>& Triangles() const { return triangles_; }
  const std::vector<vec<float, 2>>& MapCoordinates() const { return map_coordinates_; }
  // Filled so far.
  uint32_t TubeVertices() const { return tube_vertices_; }
  uint32_t TubeTriangles() const { return tube_triangles_; }
  uint32_t Leaves() const { return leaves_; }
  // The first vertex and triangle of the leaf reserve.
  uint32_t LeafVertexStart() const { return leaf_vertex_start_; }
  uint32_t LeafTriangleStart() const { return leaf_triangle_start_; }

 private:
  std::vector<vec3f> vertices_;
  std::vector<Mesh3::Simplex> triangles_;
  std::vector<vec<float, 2>> map_coordinates_;
  uint32_t leaf_vertex_start_ = 0;
  uint32_t leaf_triangle_start_ = 0;
  uint32_t tube_vertices_ = 0;
  uint32_t tube_triangles_ = 0;
  uint32_t leaves_ = 0;
};

// Fills the mesh with a tree of two halves sharing the trunk: the first
// grown from the parameters, the second from depth 13 with the twist turned
// half round, so the halves branch to opposite sides. The mesh gets both
// halves' whole arrays (the second half's triangles after the first's,
// indices raised to its vertices; unused entries are degenerate), map
// coordinates with a first component of exactly 0 moved to 0.01, and one
// face texture: "Puutex" from the scene's texture manager. Its attributes
// stay: draw it with Texture and Masking (alpha above a cut-off) for cut-out
// leaves, and DoubleSided where leaves are seen from behind. A depth of 13
// fills both halves' arrays exactly; a shallower start grows more tubes but
// still at most 128 leaves a half; a deeper one leaves the second half too
// little room, which prints "erhe" unless the width ends it first.
void BuildTree(const TreeParameters& tree, GLMesh& mesh, Scene& scene);
