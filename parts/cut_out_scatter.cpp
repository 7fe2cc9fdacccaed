// Scattering cut-out copies over the ground: clumps, poses and feet set on the terrain.
#include "parts/cut_out_scatter.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <random>

#include "effects/tree.h"
#include "maths/pi.h"
#include "parts/camera_track.h"
#include "parts/scene_dressing.h"
#include "scene/basic_attributes.h"

namespace {

constexpr float kFootTolerance = 1.0f;  // file units above the lowest point that still count as foot
constexpr float kSink = 2.0f;           // file units a foot goes into the ground, hiding its seam
constexpr int kTriesPerClump = 40;

// Uniform numbers of a fixed sequence for a seed, the same on every platform.
class SeedSequence {
 public:
  explicit SeedSequence(uint32_t seed) : engine_(seed) {}
  float Uniform(float low, float high) {
    const float unit =
        float(engine_() - std::minstd_rand::min()) / float(std::minstd_rand::max() - std::minstd_rand::min());
    return low + (high - low) * unit;
  }

 private:
  std::minstd_rand engine_;
};

// The template's foot: the middle of its lowest points, and those points.
struct Foot {
  vec3f centre;
  std::vector<vec3f> points;  // relative to the centre
};

Foot FindFoot(const std::vector<vec3f>& vertices) {
  Foot foot{vec3f(0.0f), {}};
  float lowest = vertices[0][2];
  for (const vec3f& v : vertices) lowest = std::min(lowest, v[2]);
  int count = 0;
  for (const vec3f& v : vertices)
    if (v[2] <= lowest + kFootTolerance) {
      foot.centre += v;
      ++count;
    }
  foot.centre *= 1.0f / float(count);
  foot.centre[2] = lowest;
  for (const vec3f& v : vertices)
    if (v[2] <= lowest + kFootTolerance) foot.points.push_back(v - foot.centre);
  return foot;
}

// One copy's pose: where its foot stands and how it is turned and sized.
struct Pose {
  vec3f at;
  float turn, size, lean, lean_towards;

  vec3f Place(const vec3f& offset) const {
    const vec3f turned = Rotate(offset * size, vec3f(0.0f, 0.0f, 1.0f), turn);
    const vec3f lean_axis(std::cos(lean_towards), std::sin(lean_towards), 0.0f);
    return at + Rotate(turned, lean_axis, lean);
  }
};

// Whether the rule lets a copy grow on this ground at this distance from the
// camera's track; density falls linearly from near to far.
bool Grows(const ScatterRule& rule, const GroundProbe::Ground& ground, float track_distance, float chance) {
  if (ground.height < rule.lowest || ground.height > rule.highest) return false;
  if (ground.normal[2] < rule.flattest_normal_z || track_distance < rule.clearance) return false;
  if (track_distance <= rule.near_track) return true;
  if (track_distance >= rule.far_track) return false;
  return chance < (rule.far_track - track_distance) / (rule.far_track - rule.near_track);
}

// The height for the foot of a copy standing at (x, y) at which none of its
// foot points, turned and leaning, is above the ground under it; none when
// part of it is off the terrain.
std::optional<float> LowestUnder(const GroundProbe& ground, const Foot& foot, Pose pose) {
  pose.at = vec3f(pose.at[0], pose.at[1], 0.0f);
  std::optional<GroundProbe::Ground> centre = ground.At(pose.at[0], pose.at[1]);
  if (!centre) return std::nullopt;
  float lowest = centre->height;
  for (const vec3f& point : foot.points) {
    const vec3f p = pose.Place(point);
    const std::optional<GroundProbe::Ground> under = ground.At(p[0], p[1]);
    if (!under) return std::nullopt;
    lowest = std::min(lowest, under->height - p[2]);
  }
  return lowest;
}
}  // namespace

GLMesh* ScatterCutOuts(GLMesh& terrain, const GroundProbe& ground, const GLMesh& cut_out,
                       const std::vector<vec3f>& camera_track, const ScatterRule& rule, uint32_t seed) {
  const std::vector<vec3f>& shape = cut_out.VertexArray();
  if (shape.empty() || cut_out.Triangles().empty()) return nullptr;
  const Foot foot = FindFoot(shape);
  SeedSequence random(seed);
  std::vector<vec3f> vertices;
  std::vector<Mesh3::Simplex> triangles;
  std::vector<vec<float, 2>> map;
  std::vector<TextureRef*> textures;

  auto try_copy = [&](float x, float y) {
    Pose pose{vec3f(x, y, 0.0f), random.Uniform(0.0f, kTwoPi), random.Uniform(rule.smallest, rule.largest),
              random.Uniform(0.0f, rule.lean), random.Uniform(0.0f, kTwoPi)};
    const float chance = random.Uniform(0.0f, 1.0f);
    const std::optional<GroundProbe::Ground> here = ground.At(x, y);
    if (!here || !Grows(rule, *here, DistanceToTrack(camera_track, x, y), chance)) return false;
    const std::optional<float> lowest = LowestUnder(ground, foot, pose);
    if (!lowest) return false;
    pose.at[2] = *lowest - kSink;
    const uint32_t first = uint32_t(vertices.size());
    for (const vec3f& v : shape) vertices.push_back(pose.Place(v - foot.centre));
    for (Mesh3::Simplex triangle : cut_out.Triangles()) {
      for (uint32_t& index : triangle) index += first;
      triangles.push_back(triangle);
    }
    map.insert(map.end(), cut_out.MapCoordinates().begin(), cut_out.MapCoordinates().end());
    textures.insert(textures.end(), cut_out.FaceTextures().begin(), cut_out.FaceTextures().end());
    return true;
  };

  for (int clump = 0; clump < rule.clumps; ++clump) {
    for (int attempt = 0; attempt < kTriesPerClump; ++attempt) {
      const float x = random.Uniform(ground.Low()[0], ground.High()[0]);
      const float y = random.Uniform(ground.Low()[1], ground.High()[1]);
      if (!try_copy(x, y)) continue;
      for (int copy = 1; copy < rule.per_clump; ++copy) {
        const float angle = random.Uniform(0.0f, kTwoPi), distance = rule.clump_radius * random.Uniform(0.2f, 1.0f);
        try_copy(x + distance * std::cos(angle), y + distance * std::sin(angle));
      }
      break;
    }
  }
  if (vertices.empty()) return nullptr;

  auto* copies = new GLMesh(static_cast<const PathLocation&>(cut_out));
  copies->SetFrame(cut_out.Frame());
  copies->Pivot() = cut_out.Pivot();
  copies->SetGeometry(std::move(vertices), std::move(triangles), std::move(map), std::move(textures));
  copies->SetName(cut_out.Name() + "_copies");
  copies->AddAttribute(new Texture());
  copies->AddAttribute(new Lighting());
  DressCutOut(*copies);
  copies->SetParent(&terrain);
  return copies;
}

void ScatterOverGround(Scene& scene, const char* terrain, const std::vector<Planting>& plantings, uint32_t seed) {
  GLMesh* ground = scene.FindObject(terrain);
  const GLMesh* camera = scene.FindObject("Camera01");
  if (!ground || !camera) return;
  const GroundProbe probe(*ground);
  const std::vector<vec3f> track = CameraTrack(*camera);
  for (size_t n = 0; n < plantings.size(); ++n)
    if (const GLMesh* cut_out = scene.FindObject(plantings[n].cut_out))
      ScatterCutOuts(*ground, probe, *cut_out, track, plantings[n].rule, seed + uint32_t(n));
}
