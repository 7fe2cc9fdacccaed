// 3D Studio (.3ds) files as a tree of chunks with decoded payloads.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "archive/afile.h"
#include "maths/vec.h"

struct Chunk;

// A decoded payload; its type follows from the chunk id.
struct ChunkData {
  virtual ~ChunkData() = default;
  // Writes the payload lines of DumpChunkTree at the given depth.
  virtual void Print(const Chunk& chunk, int depth) const = 0;
};

struct Chunk {
  uint32_t id = 0;
  uint32_t offset = 0;  // of its header in the file
  uint32_t length = 0;  // payload bytes as the file gives them (total - 6)
  std::vector<std::unique_ptr<Chunk>> children;
  std::unique_ptr<ChunkData> data;
};

// Object names, material names, map file names.
struct ChunkText : ChunkData {
  std::string text;
  void Print(const Chunk& chunk, int depth) const override;
};

// Fixed float records: light (3), spotlight (5), camera (8), matrix (12),
// float colour (3), float (1), pivot (3). Always holds the full count.
struct ChunkFloats : ChunkData {
  std::vector<float> values;
  void Print(const Chunk& chunk, int depth) const override;
};

struct ChunkByteColour : ChunkData {
  uint8_t rgb[3] = {0, 0, 0};
  void Print(const Chunk& chunk, int depth) const override;
};

// Shorts and longs.
struct ChunkNumber : ChunkData {
  uint32_t value = 0;
  void Print(const Chunk& chunk, int depth) const override;
};

struct ChunkVertices : ChunkData {
  std::vector<vec<float, 3>> points;
  void Print(const Chunk& chunk, int depth) const override;
};

struct ChunkVertexFlags : ChunkData {
  std::vector<uint16_t> flags;
  void Print(const Chunk& chunk, int depth) const override;
};

struct ChunkMapCoords : ChunkData {
  std::vector<vec<float, 2>> coords;
  void Print(const Chunk& chunk, int depth) const override;
};

// Vertex a, b, c and the face flags.
struct ChunkFaces : ChunkData {
  std::vector<std::array<uint16_t, 4>> faces;
  void Print(const Chunk& chunk, int depth) const override;
};

struct ChunkFaceMaterial : ChunkData {
  std::string name;
  std::vector<uint16_t> faces;
  void Print(const Chunk& chunk, int depth) const override;
};

struct ChunkTrackName : ChunkData {
  std::string name;
  uint16_t hierarchy = 0;  // number of the parent node; 65535 for none
  void Print(const Chunk& chunk, int depth) const override;
};

// Keys of a keyframer track; frames are 3DS frame numbers.
struct KeyTrack : ChunkData {
  uint32_t last_frame = 0;
  std::vector<float> frames;
};

struct Vec3Track : KeyTrack {
  std::vector<vec<float, 3>> values;
  void Print(const Chunk& chunk, int depth) const override;
};

struct FloatTrack : KeyTrack {
  std::vector<float> values;
  void Print(const Chunk& chunk, int depth) const override;
};

// Angles in radians about the axes, each relative to the previous key.
struct RotationTrack : KeyTrack {
  std::vector<float> angles;
  std::vector<vec<float, 3>> axes;
  void Print(const Chunk& chunk, int depth) const override;
};

// The raw payload of a probed chunk.
struct ChunkRawBytes : ChunkData {
  std::vector<uint8_t> bytes;
  void Print(const Chunk& chunk, int depth) const override;
};

enum : uint32_t {
  CHUNK_RGBF = 0x0010, CHUNK_RGBB = 0x0011, CHUNK_RGBB2 = 0x0012, CHUNK_RGBF2 = 0x0013,
  CHUNK_WRD = 0x0030, CHUNK_3DSVERSION = 0x0002, CHUNK_MASTERSCALE = 0x0100, CHUNK_BLACKTINT = 0x0360,
  CHUNK_BKGCOLOR = 0x1200, CHUNK_AMBCOLOR = 0x2100, CHUNK_SHP = 0x2D2D, CHUNK_LFT = 0x2D3D,
  CHUNK_OBJMESH = 0x3D3D, CHUNK_MLI = 0x3DAA, CHUNK_MESHVERSION = 0x3D3E,
  CHUNK_OBJBLOCK = 0x4000, CHUNK_TRIMESH = 0x4100, CHUNK_VERTLIST = 0x4110, CHUNK_VERTFLAGS = 0x4111,
  CHUNK_FACELIST = 0x4120, CHUNK_FACEMAT = 0x4130, CHUNK_MAPLIST = 0x4140, CHUNK_TRMATRIX = 0x4160,
  CHUNK_LIGHT = 0x4600, CHUNK_SPOTLIGHT = 0x4610, CHUNK_LIGHTR1 = 0x4659, CHUNK_LIGHTR2 = 0x465A,
  CHUNK_LIGHTMUL = 0x465B, CHUNK_CAMERA = 0x4700, CHUNK_HIERARCHY = 0x4F00, CHUNK_MAIN = 0x4D4D,
  CHUNK_MATNAME = 0xA000, CHUNK_AMBIENT = 0xA010, CHUNK_DIFFUSE = 0xA020, CHUNK_SPECULAR = 0xA030,
  CHUNK_SHININESS = 0xA040, CHUNK_SHSTRENGHT = 0xA041, CHUNK_TRANSP = 0xA050, CHUNK_TRFALLOFF = 0xA052,
  CHUNK_REFLECTBL = 0xA053, CHUNK_FLAG2SIDE = 0xA081, CHUNK_FLAGADD = 0xA083, CHUNK_SELFILLUM = 0xA084,
  CHUNK_WIREFRAME = 0xA085, CHUNK_WIRETHICK = 0xA087, CHUNK_FACEMAP = 0xA088, CHUNK_FLAGIN = 0xA08A,
  CHUNK_SOFTEN = 0xA08C, CHUNK_FLAGUNIT = 0xA08E, CHUNK_SHADETYPE = 0xA100, CHUNK_TEXTURE = 0xA200,
  CHUNK_SPECULARMAP = 0xA204, CHUNK_OPACITYMAP = 0xA210, CHUNK_REFMAP = 0xA220, CHUNK_BUMPMAP = 0xA230,
  CHUNK_MAPFILE = 0xA300, CHUNK_TEXTURE2 = 0xA33A, CHUNK_SHININESSMAP = 0xA33C,
  CHUNK_SELFILLUMMAP = 0xA33D, CHUNK_TEXTUREMASK = 0xA33E, CHUNK_TEXTUREMASK2 = 0xA340,
  CHUNK_OPACITYMASK = 0xA342, CHUNK_BUMPMASK = 0xA344, CHUNK_SHININESSMASK = 0xA346,
  CHUNK_SPECULARMASK = 0xA348, CHUNK_SELFILLUMMASK = 0xA34A, CHUNK_REFMASK = 0xA34C,
  CHUNK_TFLAGS = 0xA351, CHUNK_USCALE = 0xA354, CHUNK_VSCALE = 0xA356, CHUNK_UOFFSET = 0xA358,
  CHUNK_VOFFSET = 0xA35A, CHUNK_TROTATION = 0xA35C, CHUNK_WHITETINT = 0xA362, CHUNK_RTINT = 0xA364,
  CHUNK_GTINT = 0xA366, CHUNK_BTINT = 0xA368, CHUNK_MATERIAL = 0xAFFF,
  CHUNK_KEYFRAMER = 0xB000, CHUNK_AMBIENTKEY = 0xB001, CHUNK_TRACKINFO = 0xB002,
  CHUNK_TRACKCAMERA = 0xB003, CHUNK_TRACKCAMTGT = 0xB004, CHUNK_TRACKLIGHT = 0xB005,
  CHUNK_TRACKLIGHTGT = 0xB006, CHUNK_TRACKSPOTL = 0xB007, CHUNK_TRACKOBJNAME = 0xB010,
  CHUNK_TRACKPIVOT = 0xB013, CHUNK_TRACKPOS = 0xB020, CHUNK_TRACKROTATE = 0xB021,
  CHUNK_TRACKSCALE = 0xB022, CHUNK_TRACKFOV = 0xB023, CHUNK_TRACKROLL = 0xB024,
  CHUNK_OBJNUMBER = 0xB030, CHUNK_PRJ = 0xC23D,
};

// Chunks nested deeper than this below the root are kept as bare nodes
// (no payload, no children), so a hostile file cannot exhaust the stack.
constexpr int kMaxChunkDepth = 32;

// The first damage found in a file: the chunk it was found in and what was
// wrong. A sound file leaves `what` empty.
struct ChunkDamage {
  uint32_t offset = 0;  // of the chunk's header
  uint32_t id = 0;
  std::string what;
  explicit operator bool() const { return !what.empty(); }
};
// Records the damage in the chunk unless *damage (when given) holds one.
void NoteDamage(ChunkDamage* damage, const Chunk& chunk, const std::string& what);
// "offset N, chunk 0xID NAME: what".
std::string DescribeDamage(const ChunkDamage& damage);

// Reads the named archive file (afopen); null when it cannot be opened.
std::unique_ptr<Chunk> Load3DS(const char* name, ChunkDamage* damage = nullptr);
// Reads one chunk tree from the start of the file; null when it is shorter
// than a chunk header. Chunks whose id equals probe_id (when not 0) are read
// raw, with a byte dump on standard output. Damage is recorded in *damage:
// a first chunk other than CHUNK_MAIN, a length that runs past the parent
// or the file, a count larger than its chunk, values or a name cut short,
// nesting past kMaxChunkDepth, a face naming a vertex past its mesh's list.
// The reader keeps what it could read.
std::unique_ptr<Chunk> Read3DS(AFILE* file, uint32_t probe_id = 0, ChunkDamage* damage = nullptr);

// The table name of an id ("CHUNK_MAIN"), or null when the id is unknown.
const char* ChunkName(uint32_t id);
// First direct child with the id, or null.
Chunk* FindChunk(const Chunk* chunk, uint32_t id);
// The chunk's payload as T, or null when it has none of that type.
template <typename T>
const T* Payload(const Chunk* chunk) {
  return chunk ? dynamic_cast<const T*>(chunk->data.get()) : nullptr;
}

// Prints the tree, two blanks of indent per level.
void DumpChunkTree(const Chunk& chunk, int depth);
