// Points, faces, quads, boxes, tubes, grids, spheres and cards appended to a mesh.
#include "tools/content/mesh_builders.h"

#include <array>
#include <cmath>
#include <stdexcept>

#include "maths/pi.h"

namespace {
}

uint16_t AddPoint(Mesh& mesh, V3 p, V2 uv) {
  if (mesh.points.size() >= 65535) throw std::length_error("mesh '" + mesh.name + "' is over 65535 points");
  mesh.points.push_back(p);
  mesh.uvs.push_back(uv);
  return uint16_t(mesh.points.size() - 1);
}

void AddFace(Mesh& mesh, uint16_t a, uint16_t b, uint16_t c, uint16_t material) {
  mesh.faces.push_back({a, b, c, material});
}

void AddQuad(Mesh& mesh, const V3 (&p)[4], const V2 (&uv)[4], uint16_t material) {
  uint16_t i[4];
  for (int k = 0; k < 4; ++k) i[k] = AddPoint(mesh, p[k], uv[k]);
  AddFace(mesh, i[0], i[1], i[2], material);
  AddFace(mesh, i[0], i[2], i[3], material);
}

void AddBox(Mesh& mesh, V3 lo, V3 hi, uint16_t material, float uv_unit) {
  const float sx = (hi.x - lo.x) / uv_unit, sy = (hi.y - lo.y) / uv_unit, sz = (hi.z - lo.z) / uv_unit;
  auto face = [&](V3 a, V3 b, V3 c, V3 d, float u, float v) {
    AddQuad(mesh, {a, b, c, d}, {{0, 0}, {u, 0}, {u, v}, {0, v}}, material);
  };
  face({lo.x, lo.y, lo.z}, {lo.x, hi.y, lo.z}, {hi.x, hi.y, lo.z}, {hi.x, lo.y, lo.z}, sy, sx);  // bottom
  face({lo.x, lo.y, hi.z}, {hi.x, lo.y, hi.z}, {hi.x, hi.y, hi.z}, {lo.x, hi.y, hi.z}, sx, sy);  // top
  face({lo.x, lo.y, lo.z}, {hi.x, lo.y, lo.z}, {hi.x, lo.y, hi.z}, {lo.x, lo.y, hi.z}, sx, sz);  // -y
  face({hi.x, hi.y, lo.z}, {lo.x, hi.y, lo.z}, {lo.x, hi.y, hi.z}, {hi.x, hi.y, hi.z}, sx, sz);  // +y
  face({lo.x, hi.y, lo.z}, {lo.x, lo.y, lo.z}, {lo.x, lo.y, hi.z}, {lo.x, hi.y, hi.z}, sy, sz);  // -x
  face({hi.x, lo.y, lo.z}, {hi.x, hi.y, lo.z}, {hi.x, hi.y, hi.z}, {hi.x, lo.y, hi.z}, sy, sz);  // +x
}

void AddTube(Mesh& mesh, V3 base, V3 top, float r0, float r1, int sides, uint16_t material, bool caps,
             float v_unit) {
  const V3 w = Normalized(top - base);
  const V3 helper = std::fabs(w.z) < 0.9f ? V3{0, 0, 1} : V3{1, 0, 0};
  const V3 u = Normalized(Cross(helper, w));
  const V3 v = Cross(w, u);
  const float v_top = Length(top - base) / v_unit;
  const uint16_t first = uint16_t(mesh.points.size());
  for (int i = 0; i <= sides; ++i) {
    const float t = 2 * kPi * float(i) / float(sides);
    const V3 dir = u * std::cos(t) + v * std::sin(t);
    const float s = float(i) / float(sides);
    AddPoint(mesh, base + dir * r0, {s, 0});
    AddPoint(mesh, top + dir * r1, {s, v_top});
  }
  for (int i = 0; i < sides; ++i) {
    const uint16_t b0 = uint16_t(first + 2 * i), t0 = uint16_t(b0 + 1), b1 = uint16_t(b0 + 2), t1 = uint16_t(b0 + 3);
    AddFace(mesh, b0, b1, t1, material);
    AddFace(mesh, b0, t1, t0, material);
  }
  if (!caps) return;
  const uint16_t cb = AddPoint(mesh, base, {0.5f, 0.5f}), ct = AddPoint(mesh, top, {0.5f, 0.5f});
  for (int i = 0; i < sides; ++i) {
    const uint16_t b0 = uint16_t(first + 2 * i), b1 = uint16_t(b0 + 2);
    AddFace(mesh, cb, b1, b0, material);
    AddFace(mesh, ct, uint16_t(b0 + 1), uint16_t(b1 + 1), material);
  }
}

void AddGrid(Mesh& mesh, float x0, float y0, float x1, float y1, int nx, int ny, const HeightField& height,
             const FaceMaterial& material, float uv_unit) {
  const uint16_t first = uint16_t(mesh.points.size());
  for (int j = 0; j <= ny; ++j)
    for (int i = 0; i <= nx; ++i) {
      const float x = x0 + (x1 - x0) * float(i) / float(nx), y = y0 + (y1 - y0) * float(j) / float(ny);
      AddPoint(mesh, {x, y, height(x, y)}, {(x - x0) / uv_unit, (y - y0) / uv_unit});
    }
  auto at = [&](int i, int j) { return uint16_t(first + j * (nx + 1) + i); };
  for (int j = 0; j < ny; ++j)
    for (int i = 0; i < nx; ++i) {
      const uint16_t a = at(i, j), b = at(i + 1, j), c = at(i + 1, j + 1), d = at(i, j + 1);
      for (const auto& [p, q, r] : {std::array<uint16_t, 3>{a, b, c}, std::array<uint16_t, 3>{a, c, d}}) {
        const uint16_t m = material(mesh.points[p], mesh.points[q], mesh.points[r]);
        if (m != kNoFace) AddFace(mesh, p, q, r, m);
      }
    }
}

void AddPlane(Mesh& mesh, const std::vector<float>& xs, const std::vector<float>& ys, float z, uint16_t material,
              float uv_unit) {
  const uint16_t first = uint16_t(mesh.points.size());
  for (float y : ys)
    for (float x : xs) AddPoint(mesh, {x, y, z}, {(x - xs.front()) / uv_unit, (y - ys.front()) / uv_unit});
  const size_t row = xs.size();
  auto at = [&](size_t i, size_t j) { return uint16_t(first + j * row + i); };
  for (size_t j = 0; j + 1 < ys.size(); ++j)
    for (size_t i = 0; i + 1 < row; ++i) {
      AddFace(mesh, at(i, j), at(i + 1, j), at(i + 1, j + 1), material);
      AddFace(mesh, at(i, j), at(i + 1, j + 1), at(i, j + 1), material);
    }
}

void AddSphere(Mesh& mesh, V3 centre, float radius, int rings, int segments, uint16_t material,
               const std::function<float(V3)>& shape) {
  const uint16_t first = uint16_t(mesh.points.size());
  for (int j = 0; j <= rings; ++j) {
    const float phi = -kPi / 2 + kPi * float(j) / float(rings);
    for (int i = 0; i <= segments; ++i) {
      const float theta = 2 * kPi * float(i) / float(segments);
      const V3 dir{std::cos(phi) * std::cos(theta), std::cos(phi) * std::sin(theta), std::sin(phi)};
      const float r = radius * (shape ? shape(dir) : 1.0f);
      AddPoint(mesh, centre + dir * r, {float(i) / float(segments), float(j) / float(rings)});
    }
  }
  auto at = [&](int i, int j) { return uint16_t(first + j * (segments + 1) + i); };
  for (int j = 0; j < rings; ++j)
    for (int i = 0; i < segments; ++i) {
      if (j > 0) AddFace(mesh, at(i, j), at(i + 1, j), at(i + 1, j + 1), material);
      if (j < rings - 1) AddFace(mesh, at(i, j), at(i + 1, j + 1), at(i, j + 1), material);
    }
}

void AddCard(Mesh& mesh, V3 base, V3 half_width, float height, V2 uv_lo, V2 uv_hi, uint16_t material) {
  const V3 up{0, 0, height};
  AddQuad(mesh, {base - half_width, base + half_width, base + half_width + up, base - half_width + up},
          {{uv_lo.u, uv_lo.v}, {uv_hi.u, uv_lo.v}, {uv_hi.u, uv_hi.v}, {uv_lo.u, uv_hi.v}}, material);
}
