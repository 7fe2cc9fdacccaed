// The tubes of the first machine part, rebuilt from their formula each frame.
#include "parts/hanging_tubes.h"

#include <cmath>
#include <cstdlib>

#include "maths/pi.h"
#include "parts/scene_dressing.h"
#include "textures/texture_manager.h"

namespace {

using vec3 = vec<float, 3>;

constexpr float kJitterLow = -5.0f, kJitterHigh = 5.0f;  // file units
constexpr int kJitterSteps = 1000;
// The ring spacing of the next tube: 50 + 30 sin(k pi/2 + phase x step), so
// it breathes between 20 and 80 file units.
constexpr float kSpacingMean = 50.0f, kSpacingSwing = 30.0f;
// The texture repeats once round a ring and this many times down a tube.
constexpr float kTextureRepeatsDown = 4.0f;

// A location at `position` with the identity orientation, as the loaded
// meshes have: local -z looks down the world's -z, local y up world y.
PathLocation StandingAt(const vec3& position) {
  return PathLocation(position, position + vec3(0.0f, 0.0f, -1.0f), vec3(0.0f, 1.0f, 0.0f));
}

// Quads between neighbouring rings, facing out.
std::vector<std::array<uint32_t, 3>> TubeTriangles() {
  std::vector<std::array<uint32_t, 3>> triangles;
  for (uint32_t j = 0; j + 1 < kTubeRings; ++j) {
    for (uint32_t i = 0; i + 1 < kRingVertices; ++i) {
      const uint32_t a = j * kRingVertices + i, b = a + 1, c = a + kRingVertices, d = c + 1;
      triangles.push_back({a, c, d});
      triangles.push_back({a, d, b});
    }
  }
  return triangles;
}

std::vector<vec<float, 2>> TubeMapCoordinates() {
  std::vector<vec<float, 2>> coordinates;
  for (int j = 0; j < kTubeRings; ++j)
    for (int i = 0; i < kRingVertices; ++i)
      coordinates.emplace_back(float(i) / (kRingVertices - 1), kTextureRepeatsDown * float(j) / (kTubeRings - 1));
  return coordinates;
}

bool InsideTube(int index) { return index >= 0 && index < kTubeVertices; }

}  // namespace

const std::array<vec3, kTubeCount> HangingTubes::kBasePoints = {
    vec3(14472.444f, -3594.216f, 10567.153f), vec3(14472.444f, 616.446f, 10567.153f),
    vec3(10178.361f, 616.446f, 10567.153f), vec3(10178.361f, -3743.054f, 10567.153f)};

JitterTable::JitterTable(float lo, float hi) {
  for (float& value : values_)
    value = lo + (float(std::rand() % kJitterSteps) / kJitterSteps) * (hi - lo);
}

HangingTubes::HangingTubes(TextureRef* skin) : jitter_(kJitterLow, kJitterHigh) {
  if (!skin) skin = GetTexture("default", "default");
  const auto triangles = TubeTriangles();
  for (int k = 0; k < kTubeCount; ++k) {
    auto tube = std::make_unique<GLMesh>(StandingAt(kBasePoints[k]));
    tube->SetName("tube" + std::to_string(k));
    tube->SetGeometry(std::vector<vec3>(kTubeVertices, vec3(0.0f)), triangles, TubeMapCoordinates(),
                      std::vector<TextureRef*>(triangles.size(), skin));
    tube->SetCacheable(false);
    tubes_[k] = std::move(tube);
    end_points_[k] = kBasePoints[k];
  }
}

void HangingTubes::SetRider(int tube, GLMesh* rider) {
  riders_[tube] = rider;
  if (rider) FreeFromTracks(*rider);
}

void HangingTubes::Build() {
  for (int k = 0; k < kTubeCount; ++k) {
    std::vector<vec3>& vertices = tubes_[k]->VertexArray();
    BuildRings(vertices, spacing_);
    RaiseStuds(vertices, spacing_);
    for (int j = 0; j < kTubeRings; ++j) vertices[j * kRingVertices] = vertices[j * kRingVertices + kRingVertices - 1];
    tubes_[k]->RecomputeNormals();
    // The tubes hang down from their mounts: the end is below the base.
    end_points_[k] = kBasePoints[k] - vec3(0.0f, 0.0f, kTubeRings * spacing_);
    if (riders_[k]) riders_[k]->Position() = end_points_[k];
    spacing_ = kSpacingMean + kSpacingSwing * std::sin(float(k) * kPi / 2 + float(phase_) * kTubePhaseStep);
  }
  ++phase_;
}

void HangingTubes::Draw(Scene& scene) {
  for (auto& tube : tubes_) tube->Render(scene);
}

void HangingTubes::BuildRings(std::vector<vec3>& vertices, float spacing) {
  for (int j = 0; j < kTubeRings; ++j) {
    const float swing = 30.0f * kTubeSwing * std::sin(float(j) * kPi / (kTubeRings - 1));
    for (int i = 0; i < kRingVertices; ++i)
      vertices[j * kRingVertices + i] = RingVertex(float(j), swing, float(i), kTubeRadius, spacing);
  }
}

// Every kStudPeriod-th vertex stands out at the stud radius; the vertices
// round it, half a step to either side on its ring and on the half rings
// before and after, at the neighbour radius.
void HangingTubes::RaiseStuds(std::vector<vec3>& vertices, float spacing) {
  for (int stud = kStudPeriod - 1; stud < kTubeVertices; stud += kStudPeriod) {
    const int j = stud / kRingVertices, i = stud % kRingVertices;
    const float ring = float(j), swing = 30.0f * kTubeSwing * std::sin(ring * kPi / (kTubeRings - 1));
    vertices[stud] = RingVertex(ring, swing, float(i), kStudRadius, spacing);
    if (InsideTube(stud - 1)) vertices[stud - 1] = RingVertex(ring, swing, i - 0.5f, kStudNeighbourRadius, spacing);
    if (InsideTube(stud + 1)) vertices[stud + 1] = RingVertex(ring, swing, i + 0.5f, kStudNeighbourRadius, spacing);
    for (int side : {1, -1}) {
      for (int d = -1; d <= 1; ++d) {
        const int index = stud + side * kRingVertices + d;
        if (!InsideTube(index)) continue;
        vertices[index] = RingVertex(ring + 0.5f * side, swing, i + kOffRingStudOffsets[d + 1],
                                     kStudNeighbourRadius, spacing);
      }
    }
  }
}

vec3 HangingTubes::RingVertex(float ring, float swing, float steps, float radius, float spacing) {
  const float u = (ring + float(phase_)) * kTubePhaseStep;
  const float around = steps * kRingAngleStep + 2.0f * std::sin(u);
  const float jitter_y = jitter_.Next();
  const float jitter_x = jitter_.Next();
  return vec3(std::cos(u) * swing + jitter_x + radius * std::cos(around),
              std::sin(u) * swing + jitter_y + radius * std::sin(around), -ring * spacing);
}
