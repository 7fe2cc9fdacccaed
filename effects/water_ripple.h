// Expanding circular waves on a flat mesh: a wave started at a point reaches
// each vertex after a delay equal to its distance, rings there for 200 time
// units with an amplitude falling with the distance, and the heights of all
// waves ringing at a vertex add up. Only z of the mesh's vertices changes.
#pragma once

#include <cstdint>
#include <queue>
#include <vector>

#include "maths/vec.h"
#include "scene/gl_mesh.h"
#include "scene/moving_normals.h"

class WaterRipple {
 public:
  // One wave ringing at a vertex: its height there is weight x the profile
  // at the nearest whole number to (surface time - start).
  struct Wave {
    float start;
    float weight;
  };

  // The surface's clock starts at 0; the corners span the mesh's vertices in
  // x and y, and the rest height is z of vertex 0 (0 for an empty mesh). The
  // mesh is not owned: it must outlive the surface and keep its vertices and
  // triangles. It is marked not cacheable, since it changes every step: make
  // the surface before the scene builds its render list.
  explicit WaterRipple(GLMesh* mesh);
  WaterRipple(const WaterRipple&) = delete;
  WaterRipple& operator=(const WaterRipple&) = delete;

  float Time() const { return time_; }
  const vec<float, 2>& LowerCorner() const { return lower_; }
  const vec<float, 2>& UpperCorner() const { return upper_; }

  // Starts waves at time t0 at (x, y) and at its mirror images beyond the
  // four sides of the corners' rectangle (truncated to whole numbers). Pass
  // t0 = Time() for a wave that starts now; it is taken in at the step after
  // next at a vertex it starts on. A t0 that is not finite is ignored.
  void Disturb(int x, int y, float t0);
  // Takes in the waves that have reached their vertices and drops those that
  // have rung out, sets every vertex's z to the rest height minus the sum of
  // its waves, recomputes the normals around the vertices that moved, then
  // advances the clock by 4.
  void Step();

  // The waves ringing at a vertex now (none for an index past the mesh).
  const std::vector<Wave>& WavesAt(uint32_t vertex) const;

 private:
  struct Event {
    float time;
    uint32_t vertex;
    bool add;  // else remove
    Wave wave;
    bool operator>(const Event& other) const { return time > other.time; }
  };

  void StartWave(float x, float y, float t0);
  void TakeDueEvents();

  float time_ = 0.0f;
  std::vector<std::vector<Wave>> waves_;  // per vertex
  std::priority_queue<Event, std::vector<Event>, std::greater<Event>> events_;
  vec<float, 2> lower_;
  vec<float, 2> upper_;
  float rest_height_ = 0.0f;
  GLMesh* mesh_;
  MovingNormals normals_;
  std::vector<uint32_t> moved_;  // this step's, kept to reuse its storage
};
