// Geometry builders that append to a Mesh. Faces wind counter-clockwise
// seen from outside; map coordinates are in texture repeats.
#pragma once

#include <functional>
#include <vector>

#include "tools/content/scene_model.h"

uint16_t AddPoint(Mesh& mesh, V3 p, V2 uv);
void AddFace(Mesh& mesh, uint16_t a, uint16_t b, uint16_t c, uint16_t material);
// Two triangles over p0 p1 p2 p3 in counter-clockwise order.
void AddQuad(Mesh& mesh, const V3 (&p)[4], const V2 (&uv)[4], uint16_t material);

// Axis-aligned box; each side maps one repeat per `uv_unit` file units.
void AddBox(Mesh& mesh, V3 lo, V3 hi, uint16_t material, float uv_unit);

// Open or capped tube around the axis from `base` to `top`, radius r0 at the
// base and r1 at the top; the texture wraps once around, one repeat in v per
// `v_unit` of length.
void AddTube(Mesh& mesh, V3 base, V3 top, float r0, float r1, int sides, uint16_t material, bool caps,
             float v_unit);

using HeightField = std::function<float(float x, float y)>;
// A face's material from its corners; kNoFace leaves the face out.
using FaceMaterial = std::function<uint16_t(V3 a, V3 b, V3 c)>;
constexpr uint16_t kNoFace = 0xFFFF;
// Height-field grid of nx x ny cells over [x0, x1] x [y0, y1].
void AddGrid(Mesh& mesh, float x0, float y0, float x1, float y1, int nx, int ny, const HeightField& height,
             const FaceMaterial& material, float uv_unit);

// Flat grid at height z through the lines x = xs[i] and y = ys[j], both
// ascending: cells fine where the lines lie close, without the cracks of
// joined grids.
void AddPlane(Mesh& mesh, const std::vector<float>& xs, const std::vector<float>& ys, float z, uint16_t material,
              float uv_unit);

// Sphere whose radius in each direction is radius x shape(direction).
void AddSphere(Mesh& mesh, V3 centre, float radius, int rings, int segments, uint16_t material,
               const std::function<float(V3)>& shape = nullptr);

// Upright card: bottom edge centred on `base`, from base - half_width to
// base + half_width, `height` up along z; uv_lo at the bottom left.
void AddCard(Mesh& mesh, V3 base, V3 half_width, float height, V2 uv_lo, V2 uv_hi, uint16_t material);
