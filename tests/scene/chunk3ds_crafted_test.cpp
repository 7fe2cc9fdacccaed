// The chunk reader on crafted files: payloads, hostile lengths and counts, the dump.
#include <gtest/gtest.h>

#include "chunk_bytes.h"
#include "model_files.h"

namespace {

using namespace chunk_bytes;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

std::string Main(const std::string& payload) { return Bytes(CHUNK_MAIN, payload); }

TEST(Chunk3dsCrafted, UnknownChunksBecomeBareNodesAndAreSkipped) {
  const auto root = ReadChunkBytes(Main(Bytes(0x4620, Bytes(CHUNK_RGBF, Floats({1, 2, 3}))) + Bytes(0x1234, "xyz")));
  ASSERT_TRUE(root);
  ASSERT_EQ(root->children.size(), 2u);
  for (const auto& child : root->children) {
    EXPECT_TRUE(child->children.empty());
    EXPECT_FALSE(child->data);
  }
  EXPECT_EQ(root->children[0]->length, 18u);
  EXPECT_EQ(root->children[1]->id, 0x1234u);
}

TEST(Chunk3dsCrafted, SpotlightIgnoresItsSubChunksAndTheNextChunkIsRead) {
  const std::string spot = Bytes(CHUNK_SPOTLIGHT, Floats({1, 2, 3, 20, 40}) + Bytes(0x4627, "") + Bytes(CHUNK_RGBF, Floats({9, 9, 9})));
  const auto root = ReadChunkBytes(Main(Bytes(CHUNK_LIGHT, Floats({5, 6, 7}) + spot + Bytes(CHUNK_RGBF, Floats({0.5f, 0.25f, 1})))));
  const Chunk* light = FindChunk(root.get(), CHUNK_LIGHT);
  ASSERT_TRUE(light);
  EXPECT_EQ(Payload<ChunkFloats>(light)->values, (std::vector<float>{5, 6, 7}));
  ASSERT_EQ(light->children.size(), 2u);
  const Chunk* spotlight = light->children[0].get();
  EXPECT_EQ(Payload<ChunkFloats>(spotlight)->values, (std::vector<float>{1, 2, 3, 20, 40}));
  EXPECT_TRUE(spotlight->children.empty());
  EXPECT_EQ(Payload<ChunkFloats>(light->children[1].get())->values, (std::vector<float>{0.5f, 0.25f, 1}));
}

TEST(Chunk3dsCrafted, KeysPassOverTheSplineValuesTheirFlagsAnnounce) {
  // Key 1 carries tension and ease-to values (flags 0x01 | 0x08), key 2 all five.
  const std::string keys = Key(0, 0, Floats({1, 2, 3})) + Key(10, 0x09, Floats({0.5f, 0.25f}) + Floats({4, 5, 6})) +
                           Key(30, 0x1F, Floats({9, 9, 9, 9, 9}) + Floats({7, 8, 9}));
  const auto root = ReadChunkBytes(Main(Bytes(CHUNK_TRACKPOS, Track(30, 3, keys))));
  const auto* track = Payload<Vec3Track>(FindChunk(root.get(), CHUNK_TRACKPOS));
  ASSERT_TRUE(track);
  EXPECT_EQ(track->last_frame, 30u);
  EXPECT_EQ(track->frames, (std::vector<float>{0, 10, 30}));
  ASSERT_EQ(track->values.size(), 3u);
  EXPECT_EQ(track->values[1][0], 4);
  EXPECT_EQ(track->values[2][2], 9);
  EXPECT_EQ(track->values[2][0], 7);
}

TEST(Chunk3dsCrafted, CountsReachingPastTheChunkKeepWhatFits) {
  // 1000 vertices announced, two present; 50 keys announced, one present.
  const std::string vertices = Bytes(CHUNK_VERTLIST, U16(1000) + Floats({1, 2, 3, 4, 5, 6}) + U16(0));
  const std::string track = Bytes(CHUNK_TRACKROLL, Track(5, 50, Key(5, 0, F32(45))));
  const std::string after = Bytes(CHUNK_MATNAME, Str("next"));
  const auto root = ReadChunkBytes(Main(vertices + track + after));
  EXPECT_EQ(Payload<ChunkVertices>(root->children[0].get())->points.size(), 2u);
  EXPECT_EQ(Payload<FloatTrack>(root->children[1].get())->values, (std::vector<float>{45}));
  EXPECT_EQ(Payload<ChunkText>(root->children[2].get())->text, "next");
}

TEST(Chunk3dsCrafted, LengthsReachingPastTheFileOrParentStayInside) {
  // The inner chunk claims 1 MB; the main chunk claims 4 GB.
  std::string inner = U16(CHUNK_OBJMESH) + U32(1 << 20) + Bytes(CHUNK_MATNAME, Str("m"));
  std::string file = U16(CHUNK_MAIN) + U32(0xFFFFFFFF) + inner;
  const auto root = ReadChunkBytes(file);
  ASSERT_TRUE(root);
  EXPECT_EQ(root->length, 0xFFFFFFFFu - 6);
  ASSERT_EQ(root->children.size(), 1u);
  ASSERT_EQ(root->children[0]->children.size(), 1u);
  EXPECT_EQ(Payload<ChunkText>(root->children[0]->children[0].get())->text, "m");
}

TEST(Chunk3dsCrafted, ShortLengthsAdvanceBySixBytes) {
  // Two chunks whose lengths are 0 and 3, then a name: the walk still ends.
  const auto root = ReadChunkBytes(Main(U16(0x1111) + U32(0) + U16(0x2222) + U32(3) + Bytes(CHUNK_MATNAME, Str("x"))));
  ASSERT_EQ(root->children.size(), 3u);
  EXPECT_EQ(root->children[1]->id, 0x2222u);
  EXPECT_EQ(root->children[1]->length, 0u);
  EXPECT_EQ(Payload<ChunkText>(root->children[2].get())->text, "x");
}

TEST(Chunk3dsCrafted, LongNamesAreCutAndWhatFollowsStaysAligned) {
  const std::string name(400, 'n');
  const auto root = ReadChunkBytes(Main(Bytes(CHUNK_OBJBLOCK, Str(name) + Bytes(CHUNK_TRIMESH, ""))));
  const Chunk* block = FindChunk(root.get(), CHUNK_OBJBLOCK);
  EXPECT_EQ(Payload<ChunkText>(block)->text, std::string(254, 'n'));
  ASSERT_EQ(block->children.size(), 1u);
  EXPECT_EQ(block->children[0]->id, CHUNK_TRIMESH);
}

TEST(Chunk3dsCrafted, DeepNestingStopsAtTheDepthLimit) {
  std::string nested = Bytes(CHUNK_MATNAME, Str("deep"));
  for (int i = 0; i < 5000; ++i) nested = Bytes(CHUNK_OBJMESH, nested);
  const auto root = ReadChunkBytes(nested);
  int depth = 0;
  for (const Chunk* c = root.get(); !c->children.empty(); c = c->children[0].get()) ++depth;
  EXPECT_EQ(depth, kMaxChunkDepth + 1);
}

TEST(Chunk3dsCrafted, EmptyFlagChunkHasNoChildrenAndTinyFilesNoRoot) {
  const auto root = ReadChunkBytes(Main(Bytes(CHUNK_FLAG2SIDE, "")));
  ASSERT_EQ(root->children.size(), 1u);
  EXPECT_TRUE(root->children[0]->children.empty());
  EXPECT_FALSE(ReadChunkBytes(""));
  EXPECT_FALSE(ReadChunkBytes("MM\x10"));
  EXPECT_FALSE(ReadChunkFile("/usr/share/assimp/models/invalid/empty.3ds"));
}

// The first damage found, named by the offset and id of its chunk.
TEST(Chunk3dsCrafted, TheFirstDamageIsNamedWithItsChunk) {
  auto triangle = [](uint16_t vertex_count, uint16_t third_vertex) {
    return Bytes(CHUNK_VERTLIST, U16(vertex_count) + Floats({0, 0, 0, 1, 0, 0, 0, 1, 0})) +
           Bytes(CHUNK_FACELIST, U16(1) + U16(0) + U16(1) + U16(third_vertex) + U16(0));
  };
  auto file = [](const std::string& mesh) { return Main(Bytes(CHUNK_OBJBLOCK, Str("Tri") + Bytes(CHUNK_TRIMESH, mesh))); };
  const std::string sound = file(triangle(3, 2));
  const uint32_t trimesh = 16, vertices = 22, faces = 66;  // header offsets
  std::string past_parent = sound;
  past_parent[trimesh + 2] = char(past_parent[trimesh + 2] + 1);  // one byte longer than its block
  const std::string cut = sound.substr(0, sound.size() / 2);
  const struct { const char* name; std::string bytes; uint32_t offset, id; std::string what; } cases[] = {
      {"sound", sound, 0, 0, ""},
      {"empty", "", 0, 0, "a file of 0 bytes holds no chunk"},
      {"cut in half", cut, 0, CHUNK_MAIN, "length 82 runs past the end of the file (41 bytes)"},
      {"past its parent", past_parent, trimesh, CHUNK_TRIMESH, "length 67 runs past its parent (66 bytes left there)"},
      {"vertex count", file(triangle(500, 2)), vertices, CHUNK_VERTLIST,
       "vertex count 500 is larger than its chunk (room for 3)"},
      {"missing vertex", file(triangle(3, 7)), faces, CHUNK_FACELIST, "face 0 names vertex 7, past its 3 vertices"},
      {"no main chunk", Bytes(CHUNK_OBJMESH, ""), 0, CHUNK_OBJMESH, "not a 3DS file: no main chunk"},
  };
  for (const auto& c : cases) {
    ChunkDamage damage;
    ReadChunkBytes(c.bytes, 0, &damage);
    EXPECT_EQ(damage.what, c.what) << c.name;
    EXPECT_EQ(damage.offset, c.offset) << c.name;
    EXPECT_EQ(damage.id, c.id) << c.name;
  }
}

TEST(Chunk3dsCrafted, DumpPrintsEveryKindInItsFormat) {
  const std::pair<std::string, std::string> cases[] = {
      {Main(Bytes(CHUNK_3DSVERSION, U32(0x10003))), "4d4d CHUNK_MAIN, length: 10\n  0002 CHUNK_3DSVERSION, length: 4\n    3\n"},
      {Bytes(CHUNK_MATNAME, Str("Stone")), "a000 CHUNK_MATNAME, length: 6\n  \"Stone\"\n"},
      {Bytes(CHUNK_AMBIENT, Bytes(CHUNK_RGBB, "\x10\x20\xff")),
       "a010 CHUNK_AMBIENT, length: 9\n  0011 CHUNK_RGBB, length: 3\n    R: 16, G: 32, B: 255\n"},
      {Bytes(CHUNK_SHADETYPE, U16(3)), "a100 CHUNK_SHADETYPE, length: 2\n  Phong\n"},
      {Bytes(CHUNK_TFLAGS, U16(0x0109)),
       "a351 CHUNK_TFLAGS, length: 2\n  RGB\n  Pyramidal\n  Tile & Decal\n   - Ignore map alpha - Negative\n"},
      {Bytes(CHUNK_OBJBLOCK, Str("Rock")), "4000 CHUNK_OBJBLOCK, length: 5\n  Rock\n"},
      {Bytes(CHUNK_VERTLIST, U16(1) + Floats({1, 2.5f, -3})),
       "4110 CHUNK_VERTLIST, length: 14\n  Number: 1\n  <1.000000 2.500000 -3.000000>\n"},
      {Bytes(CHUNK_VERTFLAGS, U16(2) + U16(1) + U16(0xab)), "4111 CHUNK_VERTFLAGS, length: 6\n  Number: 2\n  0001 00ab \n"},
      {Bytes(CHUNK_MAPLIST, U16(1) + Floats({0.5f, 1})), "4140 CHUNK_MAPLIST, length: 10\n  Number: 1\n  <0.500000 1.000000>\n"},
      {Bytes(CHUNK_FACELIST, U16(1) + U16(0) + U16(0) + U16(0) + U16(7) + Bytes(CHUNK_FACEMAT, Str("Stone") + U16(2) + U16(0) + U16(4))),
       "4120 CHUNK_FACELIST, length: 28\n  Number: 1\n  (0 0 0) [0007]\n  4130 CHUNK_FACEMAT, length: 12\n    Stone\n"
       "    Number: 2\n    0 4 \n"},
      {Bytes(CHUNK_TRMATRIX, Floats({1, 0, 0, 0, 1, 0, 0, 0, 1, 10, 20, 30})),
       "4160 CHUNK_TRMATRIX, length: 48\n    1.000000   0.000000   0.000000 \n    0.000000   1.000000   0.000000 \n"
       "    0.000000   0.000000   1.000000 \n   10.000000  20.000000  30.000000 \n"},
      {Bytes(CHUNK_CAMERA, Floats({1, 2, 3, 4, 5, 6, 7, 8})),
       "4700 CHUNK_CAMERA, length: 32\n  Position: <1.000000 2.000000 3.000000>\n  Target: <4.000000 5.000000 6.000000>\n"
       "  Bank: 7.000000, Lens: 8.000000\n"},
      {Bytes(CHUNK_OBJNUMBER, U16(3)), "b030 CHUNK_OBJNUMBER, length: 2\n  Object number: 3\n"},
      {Bytes(CHUNK_TRACKOBJNAME, Str("Cam") + U16(0) + U16(0) + U16(0xFFFF)),
       "b010 CHUNK_TRACKOBJNAME, length: 10\n  Name: 'Cam'\n  Hierarchy: 65535\n"},
      {Bytes(CHUNK_TRACKPIVOT, Floats({1, 1, 1})), "b013 CHUNK_TRACKPIVOT, length: 12\n  Pivot position: <1.000000 1.000000 1.000000>\n"},
      {Bytes(CHUNK_TRACKROLL, Track(9, 1, Key(9, 0, F32(-5)))),
       "b024 CHUNK_TRACKROLL, length: 24\n  Last keyframe time: 9\n  Keyframe count: 1\n  Keyframe #0:\n    Time: 9.000000\n"
       "    Angle: -5.000000\n"},
      {Bytes(CHUNK_TRACKROTATE, Track(0, 1, Key(0, 0, Floats({0.5f, 0, 0, 1})))),
       "b021 CHUNK_TRACKROTATE, length: 36\n  Last keyframe time: 0\n  Keyframe count: 1\n  Keyframe #0:\n    Time: 0.000000\n"
       "    Angle: 0.500000\n    Vector: <0.000000 0.000000 1.000000>\n"},
  };
  for (const auto& [bytes, expected] : cases) {
    const auto root = ReadChunkBytes(bytes);
    CaptureStdout();
    DumpChunkTree(*root, 0);
    EXPECT_EQ(GetCapturedStdout(), expected);
  }
}

TEST(Chunk3dsCrafted, ProbedChunksAreReadRawWithAByteListing) {
  const std::string payload = std::string("\x01\x02", 2) + F32(1.5f);
  CaptureStdout();
  const auto root = ReadChunkBytes(Main(Bytes(0x4150, payload)), 0x4150);
  const std::string out = GetCapturedStdout();
  EXPECT_EQ(Payload<ChunkRawBytes>(root->children[0].get())->bytes.size(), 6u);
  EXPECT_EQ(out, "ReadTest():\n"
                 "1 513 513 0.000000\n"
                 "2 2 3221225474 -2.000000\n"
                 "0 0 1069547520 1.500000\n"
                 "0 49152 \n"
                 "192 16320 \n"
                 "63 \n");
}

}  // namespace
