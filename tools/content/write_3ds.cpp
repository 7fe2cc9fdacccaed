// Writing an authored scene as a 3DS file with only the chunks the show reads.
#include "tools/content/write_3ds.h"

#include <stdexcept>

#include "tools/content/chunk_writer.h"

namespace {

enum : uint16_t {
  kMain = 0x4D4D,
  kVersion = 0x0002,
  kObjMesh = 0x3D3D,
  kMeshVersion = 0x3D3E,
  kMasterScale = 0x0100,
  kMaterial = 0xAFFF,
  kMatName = 0xA000,
  kAmbient = 0xA010,
  kDiffuse = 0xA020,
  kSpecular = 0xA030,
  kShininess = 0xA040,
  kTwoSided = 0xA081,
  kTexture = 0xA200,
  kMapFile = 0xA300,
  kPercent = 0x0030,
  kRgbFloat = 0x0010,
  kRgbByte = 0x0011,
  kObjBlock = 0x4000,
  kTriMesh = 0x4100,
  kVertList = 0x4110,
  kFaceList = 0x4120,
  kFaceMat = 0x4130,
  kMapList = 0x4140,
  kMatrix = 0x4160,
  kLight = 0x4600,
  kCamera = 0x4700,
  kKeyframer = 0xB000,
  kTrackInfo = 0xB002,
  kTrackCamera = 0xB003,
  kTrackCamTarget = 0xB004,
  kTrackLight = 0xB005,
  kObjNumber = 0xB030,
  kTrackObjName = 0xB010,
  kTrackPivot = 0xB013,
  kTrackPos = 0xB020,
  kTrackRotate = 0xB021,
  kTrackScale = 0xB022,
  kTrackFov = 0xB023,
  kTrackRoll = 0xB024,
};

constexpr uint16_t kNoParent = 0xFFFF;
constexpr uint16_t kEdgesVisible = 0x0007;

void WriteV3(ChunkWriter& w, V3 v) {
  w.F32(v.x);
  w.F32(v.y);
  w.F32(v.z);
}

void WriteColour(ChunkWriter& w, uint16_t id, Rgb c) {
  w.Begin(id);
  w.Begin(kRgbByte);
  w.U8(c.r);
  w.U8(c.g);
  w.U8(c.b);
  w.End();
  w.End();
}

void WriteMaterial(ChunkWriter& w, const Material& m) {
  w.Begin(kMaterial);
  w.Begin(kMatName);
  w.Text(m.name);
  w.End();
  WriteColour(w, kAmbient, m.ambient);
  WriteColour(w, kDiffuse, m.diffuse);
  WriteColour(w, kSpecular, m.specular);
  w.Begin(kShininess);
  w.Begin(kPercent);
  w.U16(m.shininess);
  w.End();
  w.End();
  if (m.two_sided) {
    w.Begin(kTwoSided);
    w.End();
  }
  if (!m.texture.empty()) {
    w.Begin(kTexture);
    w.Begin(kPercent);
    w.U16(100);
    w.End();
    w.Begin(kMapFile);
    w.Text(m.texture);
    w.End();
    w.End();
  }
  w.End();
}

void WriteMesh(ChunkWriter& w, const Mesh& mesh, const std::vector<Material>& materials) {
  if (mesh.points.size() > UINT16_MAX || mesh.faces.size() > UINT16_MAX)
    throw std::length_error("mesh '" + mesh.name + "' has more than 65535 points or faces");
  if (mesh.uvs.size() != mesh.points.size())
    throw std::invalid_argument("mesh '" + mesh.name + "' needs one map coordinate per point");
  w.Begin(kObjBlock);
  w.Text(mesh.name);
  w.Begin(kTriMesh);

  w.Begin(kVertList);
  w.U16(uint16_t(mesh.points.size()));
  for (const V3& p : mesh.points) WriteV3(w, p);
  w.End();

  w.Begin(kMapList);
  w.U16(uint16_t(mesh.uvs.size()));
  for (const V2& t : mesh.uvs) {
    w.F32(t.u);
    w.F32(t.v);
  }
  w.End();

  w.Begin(kMatrix);
  WriteV3(w, {1, 0, 0});
  WriteV3(w, {0, 1, 0});
  WriteV3(w, {0, 0, 1});
  WriteV3(w, mesh.origin);
  w.End();

  w.Begin(kFaceList);
  w.U16(uint16_t(mesh.faces.size()));
  std::vector<std::vector<uint16_t>> by_material(materials.size());
  for (size_t i = 0; i < mesh.faces.size(); ++i) {
    const Triangle& f = mesh.faces[i];
    if (f.a >= mesh.points.size() || f.b >= mesh.points.size() || f.c >= mesh.points.size() ||
        f.material >= materials.size())
      throw std::invalid_argument("mesh '" + mesh.name + "' has a face out of range");
    w.U16(f.a);
    w.U16(f.b);
    w.U16(f.c);
    w.U16(kEdgesVisible);
    by_material[f.material].push_back(uint16_t(i));
  }
  for (size_t m = 0; m < materials.size(); ++m) {
    if (by_material[m].empty()) continue;
    w.Begin(kFaceMat);
    w.Text(materials[m].name);
    w.U16(uint16_t(by_material[m].size()));
    for (uint16_t face : by_material[m]) w.U16(face);
    w.End();
  }
  w.End();

  w.End();
  w.End();
}

void WriteLight(ChunkWriter& w, const Light& light) {
  w.Begin(kObjBlock);
  w.Text(light.name);
  w.Begin(kLight);
  WriteV3(w, light.position);
  w.Begin(kRgbFloat);
  w.F32(light.red);
  w.F32(light.green);
  w.F32(light.blue);
  w.End();
  w.End();
  w.End();
}

void WriteCamera(ChunkWriter& w, const Camera& camera) {
  if (camera.position.empty() || camera.target.empty())
    throw std::invalid_argument("camera '" + camera.name + "' needs position and target keys");
  const float fov = camera.fov.empty() ? 45.0f : camera.fov.front().value;
  w.Begin(kObjBlock);
  w.Text(camera.name);
  w.Begin(kCamera);
  WriteV3(w, camera.position.front().value);
  WriteV3(w, camera.target.front().value);
  w.F32(camera.roll.empty() ? 0.0f : camera.roll.front().value);
  w.F32(2400.0f / fov);  // lens in millimetres, as 3D Studio relates it to the view angle
  w.End();
  w.End();
}

// Key-track header: flags, a reserved word, the last frame and the key count.
void TrackHeader(ChunkWriter& w, uint32_t last_frame, size_t keys) {
  w.U16(0);
  w.U32(0);
  w.U32(last_frame);
  w.U32(uint32_t(keys));
}

void KeyHead(ChunkWriter& w, uint32_t frame) {
  w.U32(frame);
  w.U16(0);  // no spline parameters follow
}

void Vec3Track(ChunkWriter& w, uint16_t id, const std::vector<Key<V3>>& keys, uint32_t last_frame) {
  w.Begin(id);
  TrackHeader(w, last_frame, keys.size());
  for (const auto& k : keys) {
    KeyHead(w, k.frame);
    WriteV3(w, k.value);
  }
  w.End();
}

void FloatTrack(ChunkWriter& w, uint16_t id, const std::vector<Key<float>>& keys, uint32_t last_frame) {
  w.Begin(id);
  TrackHeader(w, last_frame, keys.size());
  for (const auto& k : keys) {
    KeyHead(w, k.frame);
    w.F32(k.value);
  }
  w.End();
}

void NodeHead(ChunkWriter& w, uint16_t id, uint16_t number, const std::string& name) {
  w.Begin(id);
  w.Begin(kObjNumber);
  w.U16(number);
  w.End();
  w.Begin(kTrackObjName);
  w.Text(name);
  w.U16(0);
  w.U16(0);
  w.U16(kNoParent);
  w.End();
}

// A mesh node that holds the object at its authored place, or moves it along
// its path: the frame at the origin, no pivot offset, no turn and unit scale.
void MeshNode(ChunkWriter& w, const Mesh& mesh, uint16_t number, uint32_t last_frame) {
  NodeHead(w, kTrackInfo, number, mesh.name);
  w.Begin(kTrackPivot);
  WriteV3(w, {0, 0, 0});
  w.End();
  Vec3Track(w, kTrackPos, mesh.path.empty() ? std::vector<Key<V3>>{{0, mesh.origin}} : mesh.path, last_frame);
  w.Begin(kTrackRotate);
  TrackHeader(w, last_frame, 1);
  KeyHead(w, 0);
  w.F32(0);
  WriteV3(w, {0, 0, 1});
  w.End();
  Vec3Track(w, kTrackScale, {{0, {1, 1, 1}}}, last_frame);
  w.End();
}

void WriteKeyframer(ChunkWriter& w, const Scene& scene) {
  w.Begin(kKeyframer);
  uint16_t number = 0;
  for (const Mesh& mesh : scene.meshes) MeshNode(w, mesh, number++, scene.last_frame);
  for (const Light& light : scene.lights) {
    NodeHead(w, kTrackLight, number++, light.name);
    Vec3Track(w, kTrackPos, light.path.empty() ? std::vector<Key<V3>>{{0, light.position}} : light.path,
              scene.last_frame);
    w.End();
  }
  for (const Camera& camera : scene.cameras) {
    NodeHead(w, kTrackCamera, number++, camera.name);
    Vec3Track(w, kTrackPos, camera.position, scene.last_frame);
    if (!camera.fov.empty()) FloatTrack(w, kTrackFov, camera.fov, scene.last_frame);
    if (!camera.roll.empty()) FloatTrack(w, kTrackRoll, camera.roll, scene.last_frame);
    w.End();
    NodeHead(w, kTrackCamTarget, number++, camera.name);
    Vec3Track(w, kTrackPos, camera.target, scene.last_frame);
    w.End();
  }
  w.End();
}

}  // namespace

std::vector<uint8_t> Write3ds(const Scene& scene) {
  ChunkWriter w;
  w.Begin(kMain);
  w.Begin(kVersion);
  w.U32(3);
  w.End();
  w.Begin(kObjMesh);
  w.Begin(kMeshVersion);
  w.U32(3);
  w.End();
  w.Begin(kMasterScale);
  w.F32(1.0f);
  w.End();
  for (const Material& m : scene.materials) WriteMaterial(w, m);
  for (const Mesh& mesh : scene.meshes) WriteMesh(w, mesh, scene.materials);
  for (const Light& light : scene.lights) WriteLight(w, light);
  for (const Camera& camera : scene.cameras) WriteCamera(w, camera);
  w.End();
  WriteKeyframer(w, scene);
  w.End();
  return w.Bytes();
}
