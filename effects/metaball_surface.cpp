// Sampling the balls' field on a lattice and marching it into a closed surface with gradient normals.
#include "effects/metaball_surface.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "effects/marching_cubes.h"

namespace {

using vec3 = vec<float, 3>;

// Reach over radius: a lone ball's field falls from 1 at its centre to
// (1 - 1/4)^3 at its radius and to 0 at twice its radius.
constexpr float kReachPerRadius = 2.0f;

// A crossing is kept this far (in cells) from the ends of its edge, so the
// corners of a triangle, each on its own edge of a cell, never line up.
constexpr float kEdgeMargin = 0.01f;

float Kernel(float squared_distance, float inverse_reach2) {
  const float t = 1.0f - squared_distance * inverse_reach2;
  return t > 0.0f ? t * t * t : 0.0f;
}

bool Finite(const vec3& p) { return std::isfinite(p[0]) && std::isfinite(p[1]) && std::isfinite(p[2]); }

}  // namespace

MetaballSurface::MetaballSurface(float ball_radius, float cell_size)
    : reach_(kReachPerRadius * ball_radius), cell_size_(cell_size) {
  const float at_radius = 1.0f - 1.0f / (kReachPerRadius * kReachPerRadius);
  threshold_ = at_radius * at_radius * at_radius;
}

void MetaballSurface::Build(const std::vector<vec3>& centres, SurfaceArrays& out) {
  SampleField(centres);
  March(out);
  ComputeNormals(out);
}

float MetaballSurface::FieldAt(const vec3& point) const {
  const float inverse_reach2 = 1.0f / (reach_ * reach_);
  float sum = 0.0f;
  for (const vec3& c : centres_) sum += Kernel((point - c).SquaredLength(), inverse_reach2);
  return sum;
}

void MetaballSurface::SampleField(const std::vector<vec3>& centres) {
  centres_.clear();
  for (const vec3& c : centres)
    if (Finite(c)) centres_.push_back(c);
  SizeLattice();
  for (const vec3& c : centres_) SampleBall(c);
}

// The lattice covers every ball's reach with nodes to spare on each side,
// so its outer nodes are all zero and the surface closes inside it.
void MetaballSurface::SizeLattice() {
  lattice_ = SurfaceLattice();
  if (centres_.empty() || !(cell_size_ > 0.0f) || !(reach_ > 0.0f)) return;
  vec3 low = centres_[0], high = centres_[0];
  for (const vec3& c : centres_) {
    for (int a = 0; a < 3; ++a) {
      low[a] = std::min(low[a], c[a]);
      high[a] = std::max(high[a], c[a]);
    }
  }
  float cell = cell_size_;
  bool fits = false;
  // Coarsening converges in a step or two; spans near the float range
  // never fit and leave the surface empty.
  for (int attempt = 0; attempt < 4 && !fits; ++attempt) {
    double total = 1.0;
    for (int a = 0; a < 3; ++a) {
      lattice_.origin[a] = (std::floor((low[a] - reach_) / cell) - 1.0f) * cell;
      total *= std::ceil((high[a] + reach_ - lattice_.origin[a]) / cell) + 2.0;
    }
    fits = total <= double(kMaxLatticeNodes);
    if (!fits) cell *= static_cast<float>(std::cbrt(total / double(kMaxLatticeNodes))) * 1.01f;
  }
  if (!fits) {
    lattice_ = SurfaceLattice();
    return;
  }
  for (int a = 0; a < 3; ++a)
    lattice_.nodes[a] = static_cast<int>(std::ceil((high[a] + reach_ - lattice_.origin[a]) / cell)) + 2;
  lattice_.cell = cell;
  const size_t nodes = size_t(lattice_.nodes[0]) * size_t(lattice_.nodes[1]) * size_t(lattice_.nodes[2]);
  if (field_.size() < nodes) field_.resize(nodes, 0.0f);
  if (edge_vertices_.size() < 3 * nodes) edge_vertices_.resize(3 * nodes, -1);
  const size_t rows = size_t(lattice_.nodes[1]) * size_t(lattice_.nodes[2]);
  if (rows_.size() < rows) rows_.resize(rows);
}

// Only the nodes inside the ball's reach, row by row.
void MetaballSurface::SampleBall(const vec3& centre) {
  const float cell = lattice_.cell, reach2 = reach_ * reach_, inverse_reach2 = 1.0f / reach2;
  const int* n = lattice_.nodes;
  auto range = [&](int axis, float half_width, int* first, int* last) {
    const float at = (centre[axis] - lattice_.origin[axis]) / cell, half = half_width / cell;
    *first = std::max(0, static_cast<int>(std::ceil(at - half)));
    *last = std::min(n[axis] - 1, static_cast<int>(std::floor(at + half)));
  };
  auto offset = [&](int axis, int node) { return lattice_.origin[axis] + float(node) * cell - centre[axis]; };
  int k0, k1, j0, j1, i0, i1;
  range(2, reach_, &k0, &k1);
  for (int k = k0; k <= k1; ++k) {
    const float dz = offset(2, k), left_z = reach2 - dz * dz;
    if (left_z <= 0.0f) continue;
    range(1, std::sqrt(left_z), &j0, &j1);
    for (int j = j0; j <= j1; ++j) {
      const float dy = offset(1, j), left_y = left_z - dy * dy;
      if (left_y <= 0.0f) continue;
      range(0, std::sqrt(left_y), &i0, &i1);
      if (i1 < i0) continue;
      RowSpan& span = rows_[size_t(j) + size_t(n[1]) * size_t(k)];
      span.lo = std::min(span.lo, i0);
      span.hi = std::max(span.hi, i1);
      float* row = &field_[Node(0, j, k)];
      const float dyz2 = dy * dy + dz * dz;
      for (int i = i0; i <= i1; ++i) {
        const float dx = offset(0, i);
        row[i] += Kernel(dx * dx + dyz2, inverse_reach2);
      }
    }
  }
}

void MetaballSurface::March(SurfaceArrays& out) {
  out.vertices.clear();
  out.triangles.clear();
  out.normals.clear();
  visited_cells_ = 0;
  FindInsideSpans();
  for (int k = 0; k + 1 < lattice_.nodes[2]; ++k)
    for (int j = 0; j + 1 < lattice_.nodes[1]; ++j) MarchRow(j, k, out);
  ClearLattice();
}

void MetaballSurface::FindInsideSpans() {
  const int* n = lattice_.nodes;
  for (int k = 0; k < n[2]; ++k) {
    for (int j = 0; j < n[1]; ++j) {
      RowSpan& span = rows_[size_t(j) + size_t(n[1]) * size_t(k)];
      const float* row = &field_[Node(0, j, k)];
      for (int i = span.lo; i <= span.hi; ++i) {
        if (row[i] > threshold_) {
          span.inside_lo = std::min(span.inside_lo, i);
          span.inside_hi = i;
        }
      }
    }
  }
}

// The cells between rows j, j + 1 and layers k, k + 1 that have a corner
// inside: every other cell is wholly outside and holds no surface.
void MetaballSurface::MarchRow(int j, int k, SurfaceArrays& out) {
  const int* n = lattice_.nodes;
  const float* rows[4];
  int lo = INT_MAX, hi = -1;
  for (int r = 0; r < 4; ++r) {
    const int dj = r & 1, dk = r >> 1;
    const RowSpan& span = rows_[size_t(j + dj) + size_t(n[1]) * size_t(k + dk)];
    lo = std::min(lo, span.inside_lo);
    hi = std::max(hi, span.inside_hi);
    rows[r] = &field_[Node(0, j + dj, k + dk)];
  }
  if (hi < 0) return;
  // The four rows' inside bits at one column, placed at the corner bits of
  // a cell's low-x face (corners 0, 2, 4, 6); the high face is one bit up.
  auto face = [&](int i) {
    int bits = 0;
    for (int r = 0; r < 4; ++r)
      if (rows[r][i] > threshold_) bits |= 1 << (2 * r);
    return bits;
  };
  const int first = std::max(0, lo - 1), last = std::min(hi, n[0] - 2);
  int low_face = face(first);
  for (int i = first; i <= last; ++i) {
    const int high_face = face(i + 1);
    const int pattern = low_face | high_face << 1;
    low_face = high_face;
    ++visited_cells_;
    if (pattern != 0 && pattern != 255) MarchCell(i, j, k, pattern, out);
  }
}

void MetaballSurface::MarchCell(int i, int j, int k, int pattern, SurfaceArrays& out) {
  const CubeCase& cube = CubeCases()[pattern];
  for (int l = 0; l < cube.loop_count; ++l) {
    const SurfaceLoop& loop = cube.loops[l];
    uint32_t ring[kMaxLoopSize];
    for (int q = 0; q < loop.size; ++q) ring[q] = EdgeVertex(i, j, k, loop.edges[q], out);
    for (int q = 1; q + 1 < loop.size; ++q) out.triangles.push_back({ring[0], ring[q], ring[q + 1]});
  }
}

// One vertex per crossed lattice edge, shared by the four cells round it.
uint32_t MetaballSurface::EdgeVertex(int i, int j, int k, int edge, SurfaceArrays& out) {
  const CubeEdge& e = CubeEdges()[edge];
  const int node[3] = {i + (e.start & 1), j + (e.start >> 1 & 1), k + (e.start >> 2 & 1)};
  const size_t from = Node(node[0], node[1], node[2]);
  const size_t key = 3 * from + e.axis;
  if (edge_vertices_[key] >= 0) return static_cast<uint32_t>(edge_vertices_[key]);
  int to_node[3] = {node[0], node[1], node[2]};
  ++to_node[e.axis];
  const float f0 = field_[from], f1 = field_[Node(to_node[0], to_node[1], to_node[2])];
  const float t = std::clamp((threshold_ - f0) / (f1 - f0), kEdgeMargin, 1.0f - kEdgeMargin);
  vec3 p;
  for (int a = 0; a < 3; ++a) p[a] = lattice_.origin[a] + float(node[a]) * lattice_.cell;
  p[e.axis] += t * lattice_.cell;
  const uint32_t index = static_cast<uint32_t>(out.vertices.size());
  out.vertices.push_back(p);
  edge_vertices_[key] = static_cast<int32_t>(index);
  cached_edges_.push_back(key);
  return index;
}

void MetaballSurface::ClearLattice() {
  for (size_t key : cached_edges_) edge_vertices_[key] = -1;
  cached_edges_.clear();
  const int* n = lattice_.nodes;
  for (int k = 0; k < n[2]; ++k) {
    for (int j = 0; j < n[1]; ++j) {
      RowSpan& span = rows_[size_t(j) + size_t(n[1]) * size_t(k)];
      if (span.hi < span.lo) continue;
      std::fill(&field_[Node(span.lo, j, k)], &field_[Node(span.hi, j, k)] + 1, 0.0f);
      span = RowSpan();
    }
  }
}

// Minus the field's gradient: the sum over the balls in reach of
// (p - c)(1 - r^2/R^2)^2, up to a positive factor.
void MetaballSurface::ComputeNormals(SurfaceArrays& out) const {
  const float inverse_reach2 = 1.0f / (reach_ * reach_);
  out.normals.resize(out.vertices.size());
  for (size_t v = 0; v < out.vertices.size(); ++v) {
    const vec3& p = out.vertices[v];
    vec3 gradient(0.0f);
    for (const vec3& c : centres_) {
      const vec3 d = p - c;
      const float t = 1.0f - d.SquaredLength() * inverse_reach2;
      if (t > 0.0f) gradient += d * (t * t);
    }
    gradient.Normalize();
    out.normals[v] = gradient;
  }
}
