// The marching-cubes case table, derived from the cube's geometry rather
// than typed in: for each of the 256 inside/outside patterns of a cell's
// eight corners, the closed loops along which the surface crosses the cell's
// edges, and how each loop is cut into triangles.
#pragma once

#include <array>
#include <cstdint>

// Corner c of a cell lies (c & 1, c >> 1 & 1, c >> 2 & 1) cells from its
// first corner. An edge runs along one axis, from corner `start` (the one
// with the lower index) to corner `end`.
struct CubeEdge {
  uint8_t axis;
  uint8_t start;
  uint8_t end;
};

constexpr int kCubeEdges = 12;
constexpr int kMaxSurfaceLoops = 4;
constexpr int kMaxLoopSize = kCubeEdges;

// The crossed edges round one piece of surface inside a cell, in the order
// that winds counter-clockwise seen from outside (the low-field side). Its
// triangles are a fan from edges[0], whose diagonals never join two points
// of one cell face: the cell beyond that face might join them too, and the
// edge would have four triangles.
struct SurfaceLoop {
  uint8_t size;
  uint8_t edges[kMaxLoopSize];
};

struct CubeCase {
  uint8_t loop_count;
  SurfaceLoop loops[kMaxSurfaceLoops];
};

// Edges 0-3 run along x, 4-7 along y, 8-11 along z.
const std::array<CubeEdge, kCubeEdges>& CubeEdges();

// Indexed by the pattern: bit c set when corner c is inside (its value
// above the threshold). Every face is cut the same way from both cells that
// share it (a face with two diagonal corners inside keeps them apart), so
// neighbouring cells always agree and the surface has no cracks.
const std::array<CubeCase, 256>& CubeCases();
