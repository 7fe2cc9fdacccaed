// The nature parts' shared dressing: sky on the water, cut-outs scattered on the ground, trees and flocks.
#include "parts/nature_kit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>

#include "parts/scene_frame.h"
#include "scene/basic_attributes.h"

namespace {

constexpr float kTwoPi = 6.2831853f;
constexpr float kTrackStep = 0.25f;     // key intervals between track points
constexpr float kFootTolerance = 1.0f;  // file units above the lowest point that still count as foot
constexpr float kSink = 2.0f;           // file units a foot goes into the ground, hiding its seam
constexpr int kTriesPerClump = 40;
constexpr float kSunAmbient = 0.35f;  // of the sun's colour
constexpr float kRootSink = 4.0f;     // file units a trunk goes into the ground
const vec3f kFlockCentre(0.0f, 0.0f, 3.0f);
constexpr float kFlockStep = 0.1f;
constexpr int kFlockWarmUp = 200;  // steps before the part's first frame

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


MultiTexture* SkyOnWater(const TextureRef& sky) {
  // Grazing reflections sphere-map to the rim of the picture: clamped, they
  // never wrap over to its other side.
  glBindTexture(GL_TEXTURE_2D, sky.id);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  auto* water = new MultiTexture();
  water->SetTexture0(int32_t(sky.id));
  water->SetMode0(GL_REPLACE);  // the sky's own colours, whatever the light
  water->SetGenerate0(true);
  water->SetGenerationMode0(GL_SPHERE_MAP);
  water->SetTexture1(-1);
  water->SetMode1(GL_MODULATE);
  water->SetGenerate1(false);
  return water;
}

void DressEveningWater(Scene& scene, const char* water) {
  TextureRef* sky = SkyTexture(scene);
  scene.PushBackground(sky);
  if (GLMesh* surface = scene.FindObject(water)) surface->AddAttribute(SkyOnWater(*sky));
  if (auto* sun = dynamic_cast<Light*>(scene.FindObject("Omni"))) {
    const vec<float, 4> colour = sun->Ambient();
    sun->SetDiffuse(colour[0], colour[1], colour[2], 1.0f);
    sun->SetAmbient(colour[0] * kSunAmbient, colour[1] * kSunAmbient, colour[2] * kSunAmbient, 1.0f);
  }
}

std::vector<vec3f> CameraTrack(const GLMesh& camera) {
  std::vector<vec3f> track;
  const KeyframePath<float, 3>& path = camera.PositionPath();
  if (!path.IsValid()) return track;
  const float last = float(path.KeyCount() - 1);
  for (float parameter = 0.0f; parameter < last; parameter += kTrackStep) track.push_back(path.ValueAt(parameter));
  track.push_back(path.ValueAt(last));
  return track;
}

float DistanceToTrack(const std::vector<vec3f>& track, float x, float y) {
  float nearest = 1e30f;
  for (size_t i = 0; i < track.size(); ++i) {
    const vec3f& a = track[i];
    const vec3f& b = i + 1 < track.size() ? track[i + 1] : a;
    const float abx = b[0] - a[0], aby = b[1] - a[1], apx = x - a[0], apy = y - a[1];
    const float length2 = abx * abx + aby * aby;
    const float t = length2 > 0.0f ? std::clamp((apx * abx + apy * aby) / length2, 0.0f, 1.0f) : 0.0f;
    nearest = std::min(nearest, std::hypot(apx - t * abx, apy - t * aby));
  }
  return nearest;
}

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

void PlantTrees(Scene& scene, const char* terrain, const std::vector<TreePlan>& plans) {
  const GLMesh* ground = scene.FindObject(terrain);
  const std::optional<GroundProbe> probe = ground ? std::optional<GroundProbe>(*ground) : std::nullopt;
  for (const TreePlan& plan : plans) {
    GLMesh* placeholder = scene.FindObject(plan.placeholder);
    if (!placeholder) {
      std::puts("Ei loydy !!");
      continue;
    }
    if (placeholder->VertexArray().empty()) continue;
    vec3f root = placeholder->VertexArray()[0];
    // On the terrain as it is drawn, which its recipe only approximates.
    if (const auto under = probe ? probe->At(root[0], root[1]) : std::nullopt) root[2] = under->height;
    root[2] -= kRootSink;
    BranchShape shape = plan.kind->shape;
    shape.sides = plan.sides;
    const TreeParameters tree{vec3f(0.0f),
                              vec3f(plan.lean[0], plan.lean[1], 1.0f),
                              vec3f(std::cos(plan.turn), std::sin(plan.turn), 0.0f),
                              plan.kind->width,
                              plan.depth,
                              shape};
    BuildTree(tree, *placeholder, scene);
    // The tree comes in arrays sized for its deepest growth; what it did not
    // fill would be drawn as empty triangles.
    std::vector<Mesh3::Simplex> grown;
    for (const Mesh3::Simplex& t : placeholder->Triangles())
      if (t[0] != t[1] || t[1] != t[2]) grown.push_back(t);
    std::vector<vec3f> vertices = placeholder->VertexArray();
    for (vec3f& v : vertices) v = root + v * plan.size;
    placeholder->SetGeometry(std::move(vertices), std::move(grown), placeholder->MapCoordinates(),
                             {placeholder->FirstTexture()});
    DressCutOut(*placeholder);
  }
}

void BirdFlock::Load() {
  bird_.Load("kurppa.3ds");
  GLMesh* model = bird_.FindObject("kurppa");
  if (!model) return;
  flock_ = std::make_unique<Flock>(model, kBirds, kFlockCentre);
  flock_->SetGoal(kFlockCentre);
  // The birds gather before the part begins, so that its first frame shows
  // them wheeling together rather than scattered over the whole box.
  for (int step = 0; step < kFlockWarmUp; ++step) Update();
}

void BirdFlock::Update() {
  if (flock_) flock_->Update(kFlockStep);
}

void BirdFlock::Draw(Scene& scene) {
  if (!flock_) return;
  glPushMatrix();
  glScalef(size_, size_, size_);
  flock_->Render(scene);
  glPopMatrix();
}
