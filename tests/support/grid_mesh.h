// Square grid meshes for the water tests and benchmark: flat or shaped
// height fields with two triangles a cell. Needs a GL context (GLMesh).
#pragma once

#include <memory>
#include <vector>

#include "scene/gl_mesh.h"

// (cells + 1)^2 vertices `spacing` apart from the origin, row by row, at
// height(x, y) for column x and row y; unturned at the origin.
template <typename Height>
std::unique_ptr<GLMesh> GridMesh(int cells, float spacing, Height height) {
  auto mesh = std::make_unique<GLMesh>(PathLocation(vec3f(0.0f), vec3f(0, 0, -1), vec3f(0, 1, 0)));
  std::vector<vec3f> vertices;
  std::vector<Mesh3::Simplex> triangles;
  for (int y = 0; y <= cells; ++y)
    for (int x = 0; x <= cells; ++x) vertices.push_back(vec3f(x * spacing, y * spacing, height(x, y)));
  auto at = [cells](int x, int y) { return uint32_t(y * (cells + 1) + x); };
  for (int y = 0; y < cells; ++y)
    for (int x = 0; x < cells; ++x) {
      triangles.push_back({at(x, y), at(x + 1, y), at(x + 1, y + 1)});
      triangles.push_back({at(x, y), at(x + 1, y + 1), at(x, y + 1)});
    }
  mesh->SetGeometry(vertices, triangles, {}, {mesh->FirstTexture()});
  return mesh;
}
