// The iso-surface round a set of balls, polygonised on a lattice by
// marching cubes: a closed triangle surface with unit normals from the
// field's gradient. No GL; the metaball object draws what this builds.
#pragma once

#include <array>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "maths/vec.h"

// Triangles wound counter-clockwise seen from outside; one normal per vertex.
struct SurfaceArrays {
  std::vector<vec<float, 3>> vertices;
  std::vector<std::array<uint32_t, 3>> triangles;
  std::vector<vec<float, 3>> normals;
};

// The lattice of the last build: nodes per axis, spacing, first node.
struct SurfaceLattice {
  int nodes[3] = {0, 0, 0};
  float cell = 0.0f;
  vec<float, 3> origin = vec<float, 3>(0.0f);
};

class MetaballSurface {
 public:
  // A build whose balls would need more nodes coarsens its cells to fit;
  // balls spread too far even for that (near the float range) give no
  // surface.
  static constexpr size_t kMaxLatticeNodes = size_t(1) << 20;

  // Each ball adds (1 - r^2 / R^2)^3 within its reach R, twice its radius,
  // and nothing beyond. The surface is where the sum equals what a lone
  // ball gives at its radius. Both lengths positive, in the centres' units.
  MetaballSurface(float ball_radius, float cell_size);

  // Replaces `out` with the surface round the centres (SampleField, March,
  // ComputeNormals). For centres whose balls fit in the lattice the surface
  // is closed, every edge shared by exactly two triangles, and no triangle
  // has zero area. Centres with a coordinate that is not finite are left out.
  void Build(const std::vector<vec<float, 3>>& centres, SurfaceArrays& out);

  // Build's stages, each after the one before; public so that their costs
  // can be measured apart. Only the nodes within a ball's reach are
  // sampled, and only cells beside sampled rows are marched.
  void SampleField(const std::vector<vec<float, 3>>& centres);
  void March(SurfaceArrays& out);
  void ComputeNormals(SurfaceArrays& out) const;

  // The field of the last centres at a point, summed directly.
  float FieldAt(const vec<float, 3>& point) const;
  float Threshold() const { return threshold_; }
  float Reach() const { return reach_; }
  const SurfaceLattice& Lattice() const { return lattice_; }
  // Cells looked at by the last March: those with a corner inside.
  size_t VisitedCells() const { return visited_cells_; }

 private:
  // Nodes of one lattice row: those sampled, and those inside the surface
  // (above the threshold). A span is empty when hi < lo.
  struct RowSpan {
    int lo = INT_MAX, hi = -1;
    int inside_lo = INT_MAX, inside_hi = -1;
  };

  void SizeLattice();
  void SampleBall(const vec<float, 3>& centre);
  void FindInsideSpans();
  void MarchRow(int j, int k, SurfaceArrays& out);
  void MarchCell(int i, int j, int k, int pattern, SurfaceArrays& out);
  uint32_t EdgeVertex(int i, int j, int k, int edge, SurfaceArrays& out);
  // Leaves the field zero and the edge cache empty for the next build.
  void ClearLattice();
  size_t Node(int i, int j, int k) const {
    return size_t(i) + size_t(lattice_.nodes[0]) * (size_t(j) + size_t(lattice_.nodes[1]) * size_t(k));
  }

  float reach_;
  float threshold_;
  float cell_size_;
  std::vector<vec<float, 3>> centres_;
  SurfaceLattice lattice_;
  std::vector<float> field_;
  std::vector<RowSpan> rows_;
  std::vector<int32_t> edge_vertices_;  // three per node: its x, y and z edge
  std::vector<size_t> cached_edges_;
  size_t visited_cells_ = 0;
};
