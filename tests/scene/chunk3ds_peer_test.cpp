// The chunk reader against lib3ds on files that 3D Studio wrote: the tree's
// ids, lengths and order (3dsdump -s), meshes, cameras and key tracks.
#include <gtest/gtest.h>
#include <lib3ds/camera.h>
#include <lib3ds/mesh.h>
#include <lib3ds/node.h>

#include <memory>
#include <regex>
#include <sstream>

#include "model_files.h"

namespace {

struct PeerChunk {
  uint32_t id = 0;
  uint32_t total = 0;
  std::vector<PeerChunk> children;
};

// 3dsdump -s lists the root's descendants, two blanks of indent per level.
PeerChunk PeerStructure(const std::string& path) {
  PeerChunk root;
  std::istringstream lines(CommandOutput("3dsdump -s '" + path + "'"));
  const std::regex head(R"(^( +)\S.* \(0x([0-9A-F]+)\) size=(\d+)$)");
  std::string line;
  while (std::getline(lines, line)) {
    std::smatch m;
    if (!std::regex_match(line, m, head)) continue;
    PeerChunk* parent = &root;
    for (size_t level = m[1].length() / 2; level > 1; --level) parent = &parent->children.back();
    parent->children.push_back({uint32_t(std::stoul(m[2], nullptr, 16)), uint32_t(std::stoul(m[3])), {}});
  }
  return root;
}

// Every node of ours with children lists the same ones as lib3ds; returns
// how many child nodes were compared.
int ExpectSameChildren(const Chunk& ours, const PeerChunk& peer, const std::string& where) {
  if (ours.children.empty()) return 0;
  EXPECT_EQ(ours.children.size(), peer.children.size()) << where;
  int compared = 0;
  for (size_t i = 0; i < ours.children.size() && i < peer.children.size(); ++i) {
    const Chunk& child = *ours.children[i];
    const std::string at = where + "/" + std::to_string(i);
    EXPECT_EQ(child.id, peer.children[i].id) << at;
    EXPECT_EQ(child.length + 6, peer.children[i].total) << at;
    compared += 1 + ExpectSameChildren(child, peer.children[i], at);
  }
  return compared;
}

int CountNodes(const Chunk& chunk) {
  int n = 1;
  for (const auto& child : chunk.children) n += CountNodes(*child);
  return n;
}

TEST(Chunk3dsPeer, TreeMatches3dsdumpStructure) {
  for (const std::string& path : AssimpModels3ds()) {
    ChunkDamage damage;
    const std::unique_ptr<Chunk> root = ReadChunkFile(path, &damage);
    ASSERT_TRUE(root) << path;
    EXPECT_EQ(root->id, CHUNK_MAIN);
    EXPECT_FALSE(damage) << path << ": " << DescribeDamage(damage);
    const PeerChunk peer = PeerStructure(path);
    ASSERT_FALSE(peer.children.empty()) << path;
    EXPECT_EQ(ExpectSameChildren(*root, peer, path), CountNodes(*root) - 1) << path;
  }
}

std::vector<const Chunk*> Children(const Chunk* chunk, uint32_t id) {
  std::vector<const Chunk*> found;
  for (const auto& child : chunk->children)
    if (child->id == id) found.push_back(child.get());
  return found;
}

void ExpectNear3(const float* ours, const float* theirs, const std::string& what) {
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(ours[i], theirs[i], 1e-4) << what << " [" << i << "]";
}

TEST(Chunk3dsPeer, MeshesAndCamerasMatchLib3ds) {
  int meshes = 0, cameras = 0;
  for (const std::string& path : AssimpModels3ds()) {
    Lib3dsPtr peer = Lib3dsLoad(path);
    ASSERT_TRUE(peer) << path;
    const std::unique_ptr<Chunk> root = ReadChunkFile(path);
    for (const Chunk* block : Children(FindChunk(root.get(), CHUNK_OBJMESH), CHUNK_OBJBLOCK)) {
      const std::string name = Payload<ChunkText>(block)->text;
      if (const Chunk* trimesh = FindChunk(block, CHUNK_TRIMESH)) {
        Lib3dsMesh* mesh = lib3ds_file_mesh_by_name(peer.get(), name.c_str());
        ASSERT_TRUE(mesh) << name;
        const auto* points = Payload<ChunkVertices>(FindChunk(trimesh, CHUNK_VERTLIST));
        ASSERT_EQ(points->points.size(), mesh->points) << name;
        for (size_t i = 0; i < points->points.size(); ++i)
          ExpectNear3(points->points[i].v, mesh->pointL[i].pos, name + " point " + std::to_string(i));
        const auto* faces = Payload<ChunkFaces>(FindChunk(trimesh, CHUNK_FACELIST));
        ASSERT_EQ(faces->faces.size(), mesh->faces) << name;
        for (size_t i = 0; i < faces->faces.size(); ++i)
          for (int k = 0; k < 3; ++k) EXPECT_EQ(faces->faces[i][k], mesh->faceL[i].points[k]) << name;
        if (const auto* matrix = Payload<ChunkFloats>(FindChunk(trimesh, CHUNK_TRMATRIX)))
          for (int row = 0; row < 4; ++row) ExpectNear3(&matrix->values[row * 3], mesh->matrix[row], name + " matrix");
        ++meshes;
      }
      if (const auto* camera = Payload<ChunkFloats>(FindChunk(block, CHUNK_CAMERA))) {
        Lib3dsCamera* peer_camera = lib3ds_file_camera_by_name(peer.get(), name.c_str());
        ASSERT_TRUE(peer_camera) << name;
        ExpectNear3(&camera->values[0], peer_camera->position, name + " position");
        ExpectNear3(&camera->values[3], peer_camera->target, name + " target");
        EXPECT_FLOAT_EQ(camera->values[6], peer_camera->roll) << name;
        ++cameras;
      }
    }
  }
  EXPECT_EQ(meshes, 1 + 2 + 1 + 1 + 1 + 1 + 5 + 1 + 9);
  EXPECT_EQ(cameras, 3);
}

template <typename Key, typename Values>
void ExpectSameKeys(const KeyTrack* ours, const Key* keys, Values values, const std::string& what) {
  ASSERT_TRUE(ours) << what;
  size_t i = 0;
  for (const Key* k = keys; k; k = k->next, ++i) {
    ASSERT_LT(i, ours->frames.size()) << what;
    EXPECT_EQ(ours->frames[i], float(k->tcb.frame)) << what;
    values(i, k);
  }
  EXPECT_EQ(i, ours->frames.size()) << what;
}

TEST(Chunk3dsPeer, KeyTracksMatchLib3ds) {
  int tracks = 0;
  for (const std::string& path : AssimpModels3ds()) {
    Lib3dsPtr peer = Lib3dsLoad(path);
    const std::unique_ptr<Chunk> root = ReadChunkFile(path);
    const Chunk* keyframer = FindChunk(root.get(), CHUNK_KEYFRAMER);
    if (!keyframer) continue;
    for (const auto& node : keyframer->children) {
      const auto* number = Payload<ChunkNumber>(FindChunk(node.get(), CHUNK_OBJNUMBER));
      if (!number) continue;
      Lib3dsNode* theirs = lib3ds_file_node_by_id(peer.get(), Lib3dsWord(number->value));
      ASSERT_TRUE(theirs) << path;
      const std::string what = path + " node " + theirs->name;
      EXPECT_EQ(Payload<ChunkTrackName>(FindChunk(node.get(), CHUNK_TRACKOBJNAME))->name, theirs->name);
      const auto* pos = Payload<Vec3Track>(FindChunk(node.get(), CHUNK_TRACKPOS));
      const auto same_lin3 = [&](const Vec3Track* track) {
        return [track, &what](size_t i, const Lib3dsLin3Key* k) { ExpectNear3(track->values[i].v, k->value, what); };
      };
      if (node->id == CHUNK_TRACKINFO) {
        Lib3dsObjectData& data = theirs->data.object;
        ExpectSameKeys(pos, data.pos_track.keyL, same_lin3(pos), what + " position");
        const auto* scale = Payload<Vec3Track>(FindChunk(node.get(), CHUNK_TRACKSCALE));
        ExpectSameKeys(scale, data.scl_track.keyL, same_lin3(scale), what + " scale");
        const auto* rot = Payload<RotationTrack>(FindChunk(node.get(), CHUNK_TRACKROTATE));
        ExpectSameKeys(rot, data.rot_track.keyL, [&](size_t i, const Lib3dsQuatKey* k) {
          EXPECT_NEAR(rot->angles[i], k->angle, 1e-6) << what;
          ExpectNear3(rot->axes[i].v, k->axis, what + " axis");
        }, what + " rotation");
        tracks += 3;
      } else if (node->id == CHUNK_TRACKCAMERA) {
        Lib3dsCameraData& data = theirs->data.camera;
        ExpectSameKeys(pos, data.pos_track.keyL, same_lin3(pos), what + " position");
        for (auto [id, keys] : {std::pair{CHUNK_TRACKROLL, data.roll_track.keyL}, {CHUNK_TRACKFOV, data.fov_track.keyL}}) {
          const auto* track = Payload<FloatTrack>(FindChunk(node.get(), id));
          ExpectSameKeys(track, keys, [&](size_t i, const Lib3dsLin1Key* k) {
            EXPECT_FLOAT_EQ(track->values[i], k->value) << what;
          }, what + " track " + std::to_string(id));
        }
        tracks += 3;
      } else if (node->id == CHUNK_TRACKCAMTGT) {
        ExpectSameKeys(pos, theirs->data.target.pos_track.keyL, same_lin3(pos), what + " target");
        tracks += 1;
      }
    }
  }
  EXPECT_GT(tracks, 50);
}

}  // namespace
