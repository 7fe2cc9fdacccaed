// The scene loader on the assimp models (checked against lib3ds) and on
// files built in the test: objects, cameras, lights, tracks and hierarchy.
#include <gtest/gtest.h>
#include <lib3ds/camera.h>
#include <lib3ds/mesh.h>
#include <lib3ds/node.h>

#include "archive/pack_image.h"
#include "chunk_bytes.h"
#include "model_files.h"
#include "scene/scene_loader.h"
#include "tests/support/gl_context.h"

namespace {

using namespace chunk_bytes;

class SceneLoaderTest : public GLContextTest {};

template <typename List>
std::vector<std::string> Names(const List& objects) {
  std::vector<std::string> names;
  for (const auto* o : objects) names.push_back(o->Name());
  return names;
}

TEST_F(SceneLoaderTest, ObjectsCamerasAndKeyRangesMatchLib3ds) {
  int animated = 0;
  for (const std::string& path : AssimpModels3ds()) {
    Lib3dsPtr peer = Lib3dsLoad(path);
    const std::unique_ptr<Chunk> root = ReadChunkFile(path);
    Scene scene;
    const std::vector<GLMesh*> meshes = LoadObjects(scene, root.get());
    std::vector<std::string> peer_meshes, peer_cameras = {"N.N"};
    for (Lib3dsMesh* m = peer->meshes; m; m = m->next) peer_meshes.push_back(m->name);
    for (Lib3dsCamera* c = peer->cameras; c; c = c->next) peer_cameras.push_back(c->name);
    EXPECT_EQ(Names(meshes), peer_meshes) << path;
    EXPECT_EQ(Names(scene.Cameras()), peer_cameras) << path;
    EXPECT_EQ(scene.Lights().size(), 0u) << path;
    const bool fels = path.find("fels.3ds") != std::string::npos;  // without a keyframer
    for (GLMesh* mesh : meshes) {
      Lib3dsNode* node = lib3ds_file_node_by_name(peer.get(), mesh->Name().c_str(), LIB3DS_OBJECT_NODE);
      EXPECT_EQ(fels, node == nullptr) << mesh->Name();
      if (!node) continue;
      ++animated;
      const Lib3dsLin3Key* first = node->data.object.pos_track.keyL;
      const Lib3dsLin3Key* last = first;
      for (const Lib3dsLin3Key* k = first; k; k = k->next) last = k;
      EXPECT_EQ(mesh->PositionPath().Start(), float(first->tcb.frame)) << mesh->Name();
      EXPECT_EQ(mesh->PositionPath().End(), float(last->tcb.frame)) << mesh->Name();
      EXPECT_EQ(mesh->PositionPath().Rate(), 0.1f);
      size_t rotations = 0;
      for (const Lib3dsQuatKey* k = node->data.object.rot_track.keyL; k; k = k->next) ++rotations;
      EXPECT_EQ(mesh->Orientations().size(), rotations) << mesh->Name();
      EXPECT_EQ(mesh->Attributes().size(), 2u);
    }
    for (GLMesh* mesh : meshes)
      if (!mesh->Parent()) scene.AddObject(mesh);
  }
  EXPECT_EQ(animated, 21);
}

TEST_F(SceneLoaderTest, CameraRollKeysBecomeNegativeRadians) {
  const std::string path = std::string(kAssimpModels) + "CameraRollAnim.3ds";
  Lib3dsPtr peer = Lib3dsLoad(path);
  Lib3dsNode* node = lib3ds_file_node_by_name(peer.get(), "Camera01", LIB3DS_CAMERA_NODE);
  const std::unique_ptr<Chunk> root = ReadChunkFile(path);
  Scene scene;
  for (GLMesh* mesh : LoadObjects(scene, root.get())) scene.AddObject(mesh);
  ASSERT_EQ(scene.Cameras().size(), 2u);
  KeyframePath<float, 1>& roll = scene.Cameras()[1]->RollPath();
  int i = 0;
  for (const Lib3dsLin1Key* k = node->data.camera.roll_track.keyL; k; k = k->next, ++i)
    EXPECT_NEAR(roll.ValueAt(float(i))[0], -k->value * 3.14159265f / 180, 1e-6);
  EXPECT_EQ(i, 2);
  EXPECT_EQ(roll.End(), 120.0f);
}

std::string TriangleBlock(const std::string& name) {
  const std::string mesh = Bytes(CHUNK_VERTLIST, U16(3) + Floats({0, 0, 0, 1, 0, 0, 0, 1, 0})) +
                           Bytes(CHUNK_FACELIST, U16(1) + U16(0) + U16(1) + U16(2) + U16(0));
  return Bytes(CHUNK_OBJBLOCK, Str(name) + Bytes(CHUNK_TRIMESH, mesh));
}

std::string ObjectNode(const std::string& name, int parent) {
  return Bytes(CHUNK_TRACKINFO, Bytes(CHUNK_TRACKOBJNAME, Str(name) + U16(0) + U16(0) + U16(uint16_t(parent))));
}

TEST_F(SceneLoaderTest, FiveNodeHierarchyAndDummies) {
  std::string blocks, nodes;
  const char* names[] = {"A", "B", "C", "D", "E"};
  const int parents[] = {-1, 0, 1, 0, -1};
  for (int i = 0; i < 5; ++i) {
    blocks += TriangleBlock(names[i]);
    nodes += ObjectNode(names[i], parents[i]);
  }
  nodes += ObjectNode("$$$DUMMY", -1) + ObjectNode("F", 5) + ObjectNode("missing", -1);
  blocks += TriangleBlock("F");
  const auto root = ReadChunkBytes(Bytes(CHUNK_MAIN, Bytes(CHUNK_OBJMESH, blocks) + Bytes(CHUNK_KEYFRAMER, nodes)));
  Scene scene;
  const std::vector<GLMesh*> meshes = LoadObjects(scene, root.get());
  ASSERT_EQ(Names(meshes), (std::vector<std::string>{"A", "B", "C", "D", "E", "F", "$$$DUMMY-LADATTU"}));
  const int expected_parents[] = {-1, 0, 1, 0, -1, 6, -1};
  for (int i = 0; i < 7; ++i)
    EXPECT_EQ(meshes[i]->Parent(), expected_parents[i] < 0 ? nullptr : meshes[expected_parents[i]]) << i;
  for (GLMesh* mesh : meshes)
    if (!mesh->Parent()) scene.AddObject(mesh);
}

TEST_F(SceneLoaderTest, LightsTakeTheirColourAndSpotTarget) {
  const std::string omni = Bytes(CHUNK_OBJBLOCK, Str("Omni") + Bytes(CHUNK_LIGHT, Floats({1, 2, 3}) + Bytes(CHUNK_RGBF, Floats({0.5f, 0.25f, 1}))));
  const std::string white = Bytes(CHUNK_OBJBLOCK, Str("White") + Bytes(CHUNK_LIGHT, Floats({0, 0, 0})));
  const std::string spot = Bytes(CHUNK_OBJBLOCK, Str("Spot") + Bytes(CHUNK_LIGHT, Floats({0, 0, 10}) + Bytes(CHUNK_SPOTLIGHT, Floats({0, 0, 0, 20, 30}))));
  const auto root = ReadChunkBytes(Bytes(CHUNK_MAIN, Bytes(CHUNK_OBJMESH, omni + white + spot)));
  Scene scene;
  EXPECT_TRUE(LoadObjects(scene, root.get()).empty());
  ASSERT_EQ(scene.Lights().size(), 3u);
  EXPECT_EQ(scene.Lights()[0]->Ambient()[1], 0.25f);
  EXPECT_EQ(scene.Lights()[1]->Ambient()[0], 1.0f);
  EXPECT_FALSE(scene.Lights()[0]->IsSpot());
  EXPECT_TRUE(scene.Lights()[2]->IsSpot());
  // The spot looks down from (0, 0, 10): its local -Z axis is world -z.
  EXPECT_NEAR(scene.Lights()[2]->Matrix().rows[2][2], 1.0f, 1e-5);
  EXPECT_EQ(scene.Lights()[0]->VisibilityTop(), 0);
}

// 500 vertices announced, three there: the triangle is drawn all the same, and the file named once.
TEST_F(SceneLoaderTest, ADamagedFileLoadsWhatCouldBeReadAndSaysSo) {
  const std::string mesh = Bytes(CHUNK_VERTLIST, U16(500) + Floats({0, 0, 0, 1, 0, 0, 0, 1, 0})) +
                           Bytes(CHUNK_FACELIST, U16(1) + U16(0) + U16(1) + U16(2) + U16(0));
  const std::string damaged = Bytes(CHUNK_MAIN, Bytes(CHUNK_OBJMESH, Bytes(CHUNK_OBJBLOCK, Str("Tri") + Bytes(CHUNK_TRIMESH, mesh))));
  const std::string sound = Bytes(CHUNK_MAIN, Bytes(CHUNK_OBJMESH, TriangleBlock("Tri")));
  ASSERT_TRUE(AddPackImage(gArchives, {{"damaged.3ds", damaged}, {"sound.3ds", sound}}));
  testing::internal::CaptureStdout();
  Scene damaged_scene, sound_scene;
  EXPECT_FALSE(damaged_scene.Load("damaged.3ds"));
  EXPECT_TRUE(sound_scene.Load("sound.3ds"));
  const std::string out = testing::internal::GetCapturedStdout();
  FreeArchives(gArchives);
  EXPECT_NE(out.find("\n3DS file 'damaged.3ds' is damaged: offset 28, chunk 0x4110 CHUNK_VERTLIST: vertex count 500 "
                     "is larger than its chunk (room for 3)\n"),
            std::string::npos) << out;
  EXPECT_EQ(out.find("is damaged", out.find("damaged:") + 1), std::string::npos) << "one line per file";
  const GLMesh* triangle = damaged_scene.FindObject("Tri");
  ASSERT_NE(triangle, nullptr);
  EXPECT_EQ(triangle->Simplices()->size(), 1u);
}

// A vertex or face list whose values the reader could not give (no payload) stops the loading with the show's message.
TEST_F(SceneLoaderTest, UnreadableVerticesOrFacesStopTheLoading) {
  for (const auto& [list_id, message] : {std::pair{CHUNK_VERTLIST, "no vertices !!"}, {CHUNK_FACELIST, "no triangles !!"}}) {
    const std::unique_ptr<Chunk> root = ReadChunkBytes(Bytes(CHUNK_MAIN, Bytes(CHUNK_OBJMESH, TriangleBlock("Tri"))));
    const Chunk* block = FindChunk(FindChunk(root.get(), CHUNK_OBJMESH), CHUNK_OBJBLOCK);
    FindChunk(FindChunk(block, CHUNK_TRIMESH), list_id)->data.reset();
    Scene scene;
    testing::internal::CaptureStdout();
    try {
      LoadObjects(scene, root.get());
      ADD_FAILURE() << "loaded without " << message;
    } catch (const SceneLoadError& e) {
      EXPECT_STREQ(e.what(), message);
    }
    testing::internal::GetCapturedStdout();
  }
}

TEST_F(SceneLoaderTest, MissingFileLoadsNothingButSucceeds) {
  Scene scene;
  EXPECT_TRUE(scene.Load("no-such-scene.3ds"));
  EXPECT_EQ(scene.Objects().size(), 1u);  // the default camera
}

}  // namespace
