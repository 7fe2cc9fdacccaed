// Binning a terrain's triangles by cell, and the highest surface's height and normal under a point.
#include "parts/ground_probe.h"

#include <algorithm>
#include <cmath>

GroundProbe::GroundProbe(const GLMesh& terrain) {
  const auto* vertices = terrain.Vertices();
  const auto* triangles = terrain.Simplices();
  buckets_.resize(kCells * kCells);
  if (!vertices || !triangles || vertices->empty()) return;
  low_ = vec<float, 2>((*vertices)[0][0], (*vertices)[0][1]);
  high_ = low_;
  for (const vec3f& p : *vertices)
    for (int axis = 0; axis < 2; ++axis) {
      low_[axis] = std::min(low_[axis], p[axis]);
      high_[axis] = std::max(high_[axis], p[axis]);
    }
  for (const auto& triangle : *triangles) {
    if (std::max({triangle[0], triangle[1], triangle[2]}) >= vertices->size()) continue;
    const uint32_t index = uint32_t(corners_.size() / 3);
    float lo[2] = {1e30f, 1e30f}, hi[2] = {-1e30f, -1e30f};
    for (int k = 0; k < 3; ++k) {
      const vec3f& p = (*vertices)[triangle[k]];
      corners_.push_back(p);
      for (int axis = 0; axis < 2; ++axis) {
        lo[axis] = std::min(lo[axis], p[axis]);
        hi[axis] = std::max(hi[axis], p[axis]);
      }
    }
    for (int y = Cell(lo[1], 1); y <= Cell(hi[1], 1); ++y)
      for (int x = Cell(lo[0], 0); x <= Cell(hi[0], 0); ++x) buckets_[y * kCells + x].push_back(index);
  }
}

int GroundProbe::Cell(float value, int axis) const {
  const float extent = high_[axis] - low_[axis];
  if (!(extent > 0.0f)) return 0;
  return std::clamp(int((value - low_[axis]) / extent * kCells), 0, kCells - 1);
}

std::optional<GroundProbe::Ground> GroundProbe::At(float x, float y) const {
  if (!(x >= low_[0] && x <= high_[0] && y >= low_[1] && y <= high_[1])) return std::nullopt;
  std::optional<Ground> found;
  for (uint32_t index : buckets_[Cell(y, 1) * kCells + Cell(x, 0)]) {
    const vec3f* c = &corners_[3 * index];
    // Barycentric weights in the ground plane; a triangle seen edge-on from
    // above has no area there and carries nothing.
    const float e1x = c[1][0] - c[0][0], e1y = c[1][1] - c[0][1];
    const float e2x = c[2][0] - c[0][0], e2y = c[2][1] - c[0][1];
    const float area = e1x * e2y - e1y * e2x;
    if (std::fabs(area) < 1e-6f) continue;
    const float px = x - c[0][0], py = y - c[0][1];
    const float b1 = (px * e2y - py * e2x) / area, b2 = (e1x * py - e1y * px) / area;
    if (b1 < 0.0f || b2 < 0.0f || b1 + b2 > 1.0f) continue;
    const float height = c[0][2] + b1 * (c[1][2] - c[0][2]) + b2 * (c[2][2] - c[0][2]);
    if (found && found->height >= height) continue;
    vec3f normal = Cross(c[1] - c[0], c[2] - c[0]);
    if (normal[2] < 0.0f) normal = -normal;
    normal.Normalize();
    found = Ground{height, normal};
  }
  return found;
}
