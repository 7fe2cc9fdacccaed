// Times ComputeNormals on wavy grids of growing size and prints the cost per
// triangle, which stays flat when the work is linear in the triangle count.
//   normals_bench
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

#include "scene/simplical_complex.h"

namespace {

using vec3 = vec<float, 3>;
using Mesh = SimplicalComplex<vec3, 3>;

// A side x side grid of quads, two triangles each, over a rippled height field.
void MakeGrid(int side, std::vector<vec3>& points, std::vector<Mesh::Simplex>& faces) {
  points.clear();
  faces.clear();
  for (int y = 0; y <= side; ++y)
    for (int x = 0; x <= side; ++x) points.push_back(vec3(x * 10.0f, y * 10.0f, 5.0f * std::sin(x * 0.3f + y * 0.2f)));
  auto at = [side](int x, int y) { return static_cast<uint32_t>(y * (side + 1) + x); };
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      faces.push_back({at(x, y), at(x + 1, y), at(x + 1, y + 1)});
      faces.push_back({at(x, y), at(x + 1, y + 1), at(x, y + 1)});
    }
  }
}

}  // namespace

int main() {
  std::printf("%10s %12s %14s\n", "triangles", "ms/call", "ns/triangle");
  for (int side : {32, 100, 316, 1000}) {
    std::vector<vec3> points;
    std::vector<Mesh::Simplex> faces;
    MakeGrid(side, points, faces);
    Mesh mesh;
    mesh.Set(&points, &faces);
    int repeats = static_cast<int>(4000000 / faces.size()) + 1;
    float checksum = 0.0f;
    auto begin = std::chrono::steady_clock::now();
    for (int i = 0; i < repeats; ++i) checksum += mesh.ComputeNormals()[i % points.size()][2];
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    double per_call = seconds / repeats;
    std::printf("%10zu %12.3f %14.2f   (checksum %g)\n", faces.size(), per_call * 1e3, per_call * 1e9 / faces.size(),
                checksum);
  }
  return 0;
}
