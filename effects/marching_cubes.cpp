// Building the marching-cubes case table from the cube's corners and edges.
#include "effects/marching_cubes.h"

#include <algorithm>

#include "maths/vec.h"

namespace {

using vec3 = vec<float, 3>;

constexpr int kCorners = 8;
constexpr int kFaces = 6;

struct CubeFace {
  int axis;
  int side;           // 0: the face at the cell's low end of the axis
  int corners[4];     // in order round the face
  vec3 outward;
};

bool Inside(int pattern, int corner) { return (pattern >> corner & 1) != 0; }

vec3 CornerPoint(int c) { return vec3(float(c & 1), float(c >> 1 & 1), float(c >> 2 & 1)); }

std::array<CubeEdge, kCubeEdges> BuildEdges() {
  std::array<CubeEdge, kCubeEdges> edges;
  int e = 0;
  for (int axis = 0; axis < 3; ++axis)
    for (int c = 0; c < kCorners; ++c)
      if (!(c >> axis & 1)) edges[e++] = {uint8_t(axis), uint8_t(c), uint8_t(c | 1 << axis)};
  return edges;
}

std::array<CubeFace, kFaces> BuildFaces() {
  std::array<CubeFace, kFaces> faces;
  int f = 0;
  for (int axis = 0; axis < 3; ++axis) {
    const int u = (axis + 1) % 3, v = (axis + 2) % 3;
    for (int side = 0; side < 2; ++side) {
      CubeFace& face = faces[f++];
      face.axis = axis;
      face.side = side;
      const int round[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
      for (int q = 0; q < 4; ++q) face.corners[q] = side << axis | round[q][0] << u | round[q][1] << v;
      face.outward = vec3(0.0f);
      face.outward[axis] = side ? 1.0f : -1.0f;
    }
  }
  return faces;
}

int EdgeBetween(int a, int b) {
  const auto& edges = CubeEdges();
  for (int e = 0; e < kCubeEdges; ++e)
    if ((edges[e].start == a && edges[e].end == b) || (edges[e].start == b && edges[e].end == a)) return e;
  return -1;
}

vec3 Middle(int e) {
  const CubeEdge& edge = CubeEdges()[e];
  return (CornerPoint(edge.start) + CornerPoint(edge.end)) * 0.5f;
}

bool OnFace(const CubeFace& face, int e) {
  const CubeEdge& edge = CubeEdges()[e];
  return (edge.start >> face.axis & 1) == face.side && (edge.end >> face.axis & 1) == face.side;
}

bool ShareFace(const std::array<CubeFace, kFaces>& faces, int e1, int e2) {
  for (const CubeFace& face : faces)
    if (OnFace(face, e1) && OnFace(face, e2)) return true;
  return false;
}

// The segment from edge a to edge b across a face, turned so that the
// inside lies to its left seen from outside the cell. Chained over all
// faces these run round each loop the same way, counter-clockwise seen from
// the low-field side.
void AddSegment(const CubeFace& face, int pattern, int a, int b, int next[kCubeEdges]) {
  const CubeEdge& edge = CubeEdges()[a];
  const int inside_corner = Inside(pattern, edge.start) ? edge.start : edge.end;
  const vec3 towards_inside = CornerPoint(inside_corner) - Middle(a);
  if (Dot(Cross(Middle(b) - Middle(a), face.outward), towards_inside) < 0.0f) std::swap(a, b);
  next[a] = b;
}

// Starts the loop at a corner whose fan diagonals join no two points of one
// face. Every loop of the table has one (the tests hold it to that).
void ChooseFan(const std::array<CubeFace, kFaces>& faces, SurfaceLoop& loop) {
  const int n = loop.size;
  for (int apex = 0; apex < n; ++apex) {
    bool clean = true;
    for (int k = 2; k + 1 < n && clean; ++k) clean = !ShareFace(faces, loop.edges[apex], loop.edges[(apex + k) % n]);
    if (clean) {
      std::rotate(loop.edges, loop.edges + apex, loop.edges + n);
      return;
    }
  }
}

CubeCase BuildCase(const std::array<CubeFace, kFaces>& faces, int pattern) {
  int next[kCubeEdges];
  std::fill(next, next + kCubeEdges, -1);
  for (const CubeFace& face : faces) {
    int round[4];
    int crossed[4], crossings = 0;
    for (int q = 0; q < 4; ++q) {
      round[q] = EdgeBetween(face.corners[q], face.corners[(q + 1) % 4]);
      if (Inside(pattern, face.corners[q]) != Inside(pattern, face.corners[(q + 1) % 4])) crossed[crossings++] = q;
    }
    if (crossings == 2) {
      AddSegment(face, pattern, round[crossed[0]], round[crossed[1]], next);
    } else if (crossings == 4) {
      // Two diagonal corners inside: cut each off on its own.
      for (int q = 0; q < 4; ++q)
        if (Inside(pattern, face.corners[q])) AddSegment(face, pattern, round[(q + 3) % 4], round[q], next);
    }
  }
  CubeCase result{};
  bool used[kCubeEdges] = {};
  for (int first = 0; first < kCubeEdges; ++first) {
    if (next[first] < 0 || used[first]) continue;
    SurfaceLoop& loop = result.loops[result.loop_count++];
    for (int e = first; !used[e]; e = next[e]) {
      used[e] = true;
      loop.edges[loop.size++] = uint8_t(e);
    }
    if (loop.size > 3) ChooseFan(faces, loop);
  }
  return result;
}

}  // namespace

const std::array<CubeEdge, kCubeEdges>& CubeEdges() {
  static const std::array<CubeEdge, kCubeEdges> edges = BuildEdges();
  return edges;
}

const std::array<CubeCase, 256>& CubeCases() {
  static const std::array<CubeCase, 256> cases = [] {
    const std::array<CubeFace, kFaces> faces = BuildFaces();
    std::array<CubeCase, 256> table;
    for (int pattern = 0; pattern < 256; ++pattern) table[pattern] = BuildCase(faces, pattern);
    return table;
  }();
  return cases;
}
