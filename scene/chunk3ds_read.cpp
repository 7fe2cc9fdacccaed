// Table-driven reading of 3DS chunks. Every read stays inside the payload
// of its chunk, which itself stays inside its parent and the file.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "scene/chunk3ds.h"

namespace {

// The longest name kept; longer names are cut (the rest is skipped).
constexpr size_t kMaxNameLength = 254;

struct ReadState {
  AFILE* file;
  uint32_t probe_id;
  int depth;
  ChunkDamage* damage;
};

// Little-endian reads of one chunk's payload, from the file position up to
// a fixed end offset. Reads past the end yield zeros, move nothing and are
// damage.
class Cursor {
 public:
  Cursor(ReadState& in, const Chunk* node, uint32_t length)
      : file_(in.file), end_(int64_t(aftell(in.file)) + length), length_(length), in_(in), node_(node) {}

  uint32_t Left() const { return uint32_t(std::max<int64_t>(0, end_ - aftell(file_))); }
  bool Fits(uint64_t bytes) const { return bytes <= Left(); }
  void Damaged(const std::string& what) const { NoteDamage(in_.damage, *node_, what); }

  void Bytes(void* out, uint32_t n) {
    if (n == 0) return;
    std::memset(out, 0, n);
    if (Fits(n))
      afread(out, n, 1, file_);
    else
      Damaged("payload of " + std::to_string(length_) + " bytes ends inside its values");
  }
  uint8_t U8() {
    uint8_t b;
    Bytes(&b, 1);
    return b;
  }
  uint16_t U16() {
    uint8_t b[2];
    Bytes(b, 2);
    return uint16_t(b[0] | b[1] << 8);
  }
  uint32_t U32() {
    uint8_t b[4];
    Bytes(b, 4);
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
  }
  float F32() {
    const uint32_t bits = U32();
    float f;
    std::memcpy(&f, &bits, 4);
    return f;
  }
  vec<float, 3> Point() {
    vec<float, 3> p;
    for (int i = 0; i < 3; ++i) p[i] = F32();
    return p;
  }
  void Skip(uint32_t n) { afseek(file_, int32_t(std::min(n, Left())), 1); }

  // Up to and including the terminating zero, or to the end.
  std::string Name() {
    std::string name;
    for (;;) {
      if (Left() == 0) {
        Damaged("name has no terminating zero");
        break;
      }
      const int c = afgetc(file_);
      if (c <= 0) break;
      if (name.size() < kMaxNameLength) name += char(c);
    }
    return name;
  }

  // How many items of the given size, out of count, the rest holds; fewer
  // than count is damage.
  uint32_t Fitting(uint32_t count, uint32_t item_size, const char* item) const {
    const uint32_t room = Left() / item_size;
    if (count <= room) return count;
    Damaged(std::string(item) + " count " + std::to_string(count) + " is larger than its chunk (room for " +
            std::to_string(room) + ")");
    return room;
  }

 private:
  AFILE* file_;
  int64_t end_;
  uint32_t length_;
  ReadState& in_;
  const Chunk* node_;
};

using PayloadReader = void (*)(ReadState& in, uint32_t length, Chunk* node);

std::unique_ptr<Chunk> ReadChunk(ReadState& in, uint32_t region_left, uint32_t* total);

void ReadSubChunks(ReadState& in, uint32_t length, Chunk* parent) {
  const int32_t start = aftell(in.file);
  ++in.depth;
  for (uint64_t offset = 0; offset < length;) {
    afseek(in.file, int32_t(start + offset), 0);
    uint32_t total = 0;
    parent->children.push_back(ReadChunk(in, uint32_t(length - offset), &total));
    offset += total < 6 ? 6 : total;
  }
  --in.depth;
}

void ReadContainer(ReadState& in, uint32_t length, Chunk* node) { ReadSubChunks(in, length, node); }

// A triangle mesh whose faces name a vertex past its vertex list is damaged.
void ReadTriMesh(ReadState& in, uint32_t length, Chunk* node) {
  ReadSubChunks(in, length, node);
  const Chunk* face_list = FindChunk(node, CHUNK_FACELIST);
  const auto* faces = Payload<ChunkFaces>(face_list);
  const auto* vertices = Payload<ChunkVertices>(FindChunk(node, CHUNK_VERTLIST));
  if (!faces || !vertices) return;
  const size_t count = vertices->points.size();
  for (size_t i = 0; i < faces->faces.size(); ++i)
    for (int k = 0; k < 3; ++k)
      if (faces->faces[i][k] >= count)
        return NoteDamage(in.damage, *face_list,
                          "face " + std::to_string(i) + " names vertex " + std::to_string(faces->faces[i][k]) +
                              ", past its " + std::to_string(count) + " vertices");
}

void ReadNamedContainer(ReadState& in, uint32_t length, Chunk* node) {
  Cursor c(in, node, length);
  auto text = std::make_unique<ChunkText>();
  text->text = c.Name();
  node->data = std::move(text);
  ReadSubChunks(in, c.Left(), node);
}

void ReadText(ReadState& in, uint32_t length, Chunk* node) {
  Cursor c(in, node, length);
  auto text = std::make_unique<ChunkText>();
  text->text = c.Name();
  node->data = std::move(text);
}

template <int N>
void ReadFloats(ReadState& in, uint32_t length, Chunk* node) {
  Cursor c(in, node, length);
  auto floats = std::make_unique<ChunkFloats>();
  for (int i = 0; i < N; ++i) floats->values.push_back(c.F32());
  node->data = std::move(floats);
}

void ReadLight(ReadState& in, uint32_t length, Chunk* node) {
  ReadFloats<3>(in, length, node);
  ReadSubChunks(in, length > 12 ? length - 12 : 0, node);
}

void ReadByteColour(ReadState& in, uint32_t length, Chunk* node) {
  Cursor c(in, node, length);
  auto colour = std::make_unique<ChunkByteColour>();
  c.Bytes(colour->rgb, 3);
  node->data = std::move(colour);
}

void ReadShort(ReadState& in, uint32_t length, Chunk* node) {
  Cursor c(in, node, length);
  auto number = std::make_unique<ChunkNumber>();
  number->value = c.U16();
  node->data = std::move(number);
}

void ReadLong(ReadState& in, uint32_t length, Chunk* node) {
  Cursor c(in, node, length);
  auto number = std::make_unique<ChunkNumber>();
  number->value = c.U32();
  node->data = std::move(number);
}

void ReadVertices(ReadState& in, uint32_t length, Chunk* node) {
  Cursor c(in, node, length);
  auto vertices = std::make_unique<ChunkVertices>();
  const uint32_t count = c.Fitting(c.U16(), 12, "vertex");
  vertices->points.resize(count);
  for (auto& p : vertices->points) p = c.Point();
  node->data = std::move(vertices);
}

void ReadVertexFlags(ReadState& in, uint32_t length, Chunk* node) {
  Cursor c(in, node, length);
  auto flags = std::make_unique<ChunkVertexFlags>();
  flags->flags.resize(c.Fitting(c.U16(), 2, "vertex flag"));
  for (auto& f : flags->flags) f = c.U16();
  node->data = std::move(flags);
}

void ReadMapCoords(ReadState& in, uint32_t length, Chunk* node) {
  Cursor c(in, node, length);
  auto map = std::make_unique<ChunkMapCoords>();
  map->coords.resize(c.Fitting(c.U16(), 8, "map coordinate"));
  for (auto& uv : map->coords) {
    uv[0] = c.F32();
    uv[1] = c.F32();
  }
  node->data = std::move(map);
}

void ReadFaces(ReadState& in, uint32_t length, Chunk* node) {
  Cursor c(in, node, length);
  auto faces = std::make_unique<ChunkFaces>();
  faces->faces.resize(c.Fitting(c.U16(), 8, "face"));
  for (auto& face : faces->faces)
    for (auto& index : face) index = c.U16();
  node->data = std::move(faces);
  ReadSubChunks(in, c.Left(), node);
}

void ReadFaceMaterial(ReadState& in, uint32_t length, Chunk* node) {
  Cursor c(in, node, length);
  auto material = std::make_unique<ChunkFaceMaterial>();
  material->name = c.Name();
  material->faces.resize(c.Fitting(c.U16(), 2, "face index"));
  for (auto& f : material->faces) f = c.U16();
  node->data = std::move(material);
}

void ReadTrackName(ReadState& in, uint32_t length, Chunk* node) {
  Cursor c(in, node, length);
  auto track = std::make_unique<ChunkTrackName>();
  track->name = c.Name();
  c.Skip(4);
  track->hierarchy = c.U16();
  node->data = std::move(track);
}

// Reads the track header, then per key its frame and flags word, passing
// over the spline values (tension, continuity, bias, ease to, ease from)
// that the flags announce. Keeps the keys that fit in the payload; the
// values of each are read by read_values() right after its header.
template <typename ReadValues>
void ReadKeys(Cursor& c, KeyTrack* track, uint32_t value_bytes, ReadValues read_values) {
  c.Skip(6);
  track->last_frame = c.U32();
  const uint32_t count = c.U32();
  auto cut_short = [&](uint32_t kept) {
    c.Damaged("key count " + std::to_string(count) + " is larger than its chunk (room for " + std::to_string(kept) + ")");
  };
  for (uint32_t i = 0; i < count; ++i) {
    if (!c.Fits(6)) return cut_short(i);
    const uint32_t frame = c.U32();
    const uint16_t flags = c.U16();
    uint32_t spline_bytes = 0;
    for (int bit = 0; bit < 5; ++bit)
      if (flags & (1u << bit)) spline_bytes += 4;
    if (!c.Fits(uint64_t(spline_bytes) + value_bytes)) return cut_short(i);
    c.Skip(spline_bytes);
    track->frames.push_back(float(frame));
    read_values();
  }
}

void ReadVec3Track(ReadState& in, uint32_t length, Chunk* node) {
  Cursor c(in, node, length);
  auto track = std::make_unique<Vec3Track>();
  ReadKeys(c, track.get(), 12, [&] { track->values.push_back(c.Point()); });
  node->data = std::move(track);
}

void ReadFloatTrack(ReadState& in, uint32_t length, Chunk* node) {
  Cursor c(in, node, length);
  auto track = std::make_unique<FloatTrack>();
  ReadKeys(c, track.get(), 4, [&] { track->values.push_back(c.F32()); });
  node->data = std::move(track);
}

void ReadRotationTrack(ReadState& in, uint32_t length, Chunk* node) {
  Cursor c(in, node, length);
  auto track = std::make_unique<RotationTrack>();
  ReadKeys(c, track.get(), 16, [&] {
    track->angles.push_back(c.F32());
    track->axes.push_back(c.Point());
  });
  node->data = std::move(track);
}

// Probe for chunks of unknown layout: keeps the payload and prints, per
// byte offset, the byte, 16-bit and 32-bit words and the float starting
// there (the wider values only where they fit).
void ReadTest(ReadState& in, uint32_t length, Chunk* node) {
  std::printf("ReadTest():\n");
  Cursor c(in, node, length);
  auto raw = std::make_unique<ChunkRawBytes>();
  raw->bytes.resize(c.Left());
  c.Bytes(raw->bytes.data(), uint32_t(raw->bytes.size()));
  const std::vector<uint8_t>& b = raw->bytes;
  for (size_t i = 0; i < b.size(); ++i) {
    std::printf("%u ", b[i]);
    if (i + 2 <= b.size()) std::printf("%u ", unsigned(b[i] | b[i + 1] << 8));
    if (i + 4 <= b.size()) {
      const uint32_t word = uint32_t(b[i]) | uint32_t(b[i + 1]) << 8 | uint32_t(b[i + 2]) << 16 |
                            uint32_t(b[i + 3]) << 24;
      float f;
      std::memcpy(&f, &word, 4);
      std::printf("%u %f", word, f);
    }
    std::printf("\n");
  }
  node->data = std::move(raw);
}

struct ChunkType {
  uint32_t id;
  const char* name;
  PayloadReader read;
};

#define ROW(id, reader) {id, #id, reader}
const ChunkType kChunkTable[] = {
    ROW(CHUNK_MAIN, ReadContainer),
    ROW(CHUNK_OBJMESH, ReadContainer),
    ROW(CHUNK_HIERARCHY, ReadContainer),
    ROW(CHUNK_TRIMESH, ReadTriMesh),
    ROW(CHUNK_PRJ, ReadContainer),
    ROW(CHUNK_MLI, ReadContainer),
    ROW(CHUNK_SHP, ReadContainer),
    ROW(CHUNK_LFT, ReadContainer),
    ROW(CHUNK_BKGCOLOR, ReadContainer),
    ROW(CHUNK_AMBCOLOR, ReadContainer),
    ROW(CHUNK_MATERIAL, ReadContainer),
    ROW(CHUNK_KEYFRAMER, ReadContainer),
    ROW(CHUNK_AMBIENT, ReadContainer),
    ROW(CHUNK_DIFFUSE, ReadContainer),
    ROW(CHUNK_SPECULAR, ReadContainer),
    ROW(CHUNK_SHININESS, ReadContainer),
    ROW(CHUNK_SHSTRENGHT, ReadContainer),
    ROW(CHUNK_TRANSP, ReadContainer),
    ROW(CHUNK_TRFALLOFF, ReadContainer),
    ROW(CHUNK_REFLECTBL, ReadContainer),
    ROW(CHUNK_SELFILLUM, ReadContainer),
    ROW(CHUNK_FLAG2SIDE, ReadContainer),
    ROW(CHUNK_FLAGADD, ReadContainer),
    ROW(CHUNK_WIREFRAME, ReadContainer),
    ROW(CHUNK_FLAGIN, ReadContainer),
    ROW(CHUNK_FLAGUNIT, ReadContainer),
    ROW(CHUNK_FACEMAP, ReadContainer),
    ROW(CHUNK_SOFTEN, ReadContainer),
    ROW(CHUNK_TEXTURE, ReadContainer),
    ROW(CHUNK_SPECULARMAP, ReadContainer),
    ROW(CHUNK_OPACITYMAP, ReadContainer),
    ROW(CHUNK_TEXTURE2, ReadContainer),
    ROW(CHUNK_SHININESSMAP, ReadContainer),
    ROW(CHUNK_SELFILLUMMAP, ReadContainer),
    ROW(CHUNK_REFMAP, ReadContainer),
    ROW(CHUNK_BUMPMAP, ReadContainer),
    ROW(CHUNK_TEXTUREMASK, ReadContainer),
    ROW(CHUNK_SPECULARMASK, ReadContainer),
    ROW(CHUNK_OPACITYMASK, ReadContainer),
    ROW(CHUNK_TEXTUREMASK2, ReadContainer),
    ROW(CHUNK_SHININESSMASK, ReadContainer),
    ROW(CHUNK_SELFILLUMMASK, ReadContainer),
    ROW(CHUNK_REFMASK, ReadContainer),
    ROW(CHUNK_BUMPMASK, ReadContainer),
    ROW(CHUNK_AMBIENTKEY, ReadContainer),
    ROW(CHUNK_TRACKINFO, ReadContainer),
    ROW(CHUNK_TRACKCAMERA, ReadContainer),
    ROW(CHUNK_TRACKCAMTGT, ReadContainer),
    ROW(CHUNK_TRACKLIGHT, ReadContainer),
    ROW(CHUNK_TRACKLIGHTGT, ReadContainer),
    ROW(CHUNK_TRACKSPOTL, ReadContainer),
    ROW(CHUNK_OBJBLOCK, ReadNamedContainer),
    ROW(CHUNK_LIGHT, ReadLight),
    ROW(CHUNK_SPOTLIGHT, ReadFloats<5>),
    ROW(CHUNK_CAMERA, ReadFloats<8>),
    ROW(CHUNK_VERTLIST, ReadVertices),
    ROW(CHUNK_VERTFLAGS, ReadVertexFlags),
    ROW(CHUNK_MAPLIST, ReadMapCoords),
    ROW(CHUNK_FACELIST, ReadFaces),
    ROW(CHUNK_RGBF, ReadFloats<3>),
    ROW(CHUNK_RGBF2, ReadFloats<3>),
    ROW(CHUNK_RGBB, ReadByteColour),
    ROW(CHUNK_RGBB2, ReadByteColour),
    ROW(CHUNK_BLACKTINT, ReadByteColour),
    ROW(CHUNK_WHITETINT, ReadByteColour),
    ROW(CHUNK_RTINT, ReadByteColour),
    ROW(CHUNK_GTINT, ReadByteColour),
    ROW(CHUNK_BTINT, ReadByteColour),
    ROW(CHUNK_WRD, ReadShort),
    ROW(CHUNK_3DSVERSION, ReadLong),
    ROW(CHUNK_MESHVERSION, ReadLong),
    ROW(CHUNK_SHADETYPE, ReadShort),
    ROW(CHUNK_TFLAGS, ReadShort),
    ROW(CHUNK_USCALE, ReadFloats<1>),
    ROW(CHUNK_VSCALE, ReadFloats<1>),
    ROW(CHUNK_UOFFSET, ReadFloats<1>),
    ROW(CHUNK_VOFFSET, ReadFloats<1>),
    ROW(CHUNK_TROTATION, ReadFloats<1>),
    ROW(CHUNK_WIRETHICK, ReadFloats<1>),
    ROW(CHUNK_MASTERSCALE, ReadFloats<1>),
    ROW(CHUNK_LIGHTR1, ReadFloats<1>),
    ROW(CHUNK_LIGHTR2, ReadFloats<1>),
    ROW(CHUNK_LIGHTMUL, ReadFloats<1>),
    ROW(CHUNK_MATNAME, ReadText),
    ROW(CHUNK_MAPFILE, ReadText),
    ROW(CHUNK_FACEMAT, ReadFaceMaterial),
    ROW(CHUNK_TRMATRIX, ReadFloats<12>),
    ROW(CHUNK_OBJNUMBER, ReadShort),
    ROW(CHUNK_TRACKOBJNAME, ReadTrackName),
    ROW(CHUNK_TRACKPOS, ReadVec3Track),
    ROW(CHUNK_TRACKROLL, ReadFloatTrack),
    ROW(CHUNK_TRACKPIVOT, ReadFloats<3>),
    ROW(CHUNK_TRACKROTATE, ReadRotationTrack),
    ROW(CHUNK_TRACKFOV, ReadFloatTrack),
    ROW(CHUNK_TRACKSCALE, ReadVec3Track),
    {0, nullptr, nullptr},
};
#undef ROW

const ChunkType* FindChunkType(uint32_t id) {
  for (const ChunkType* type = kChunkTable; type->id != 0; ++type)
    if (type->id == id) return type;
  return nullptr;
}

// Reads the header at the file position and dispatches the payload, which
// is cut to the bytes left in the enclosing region. Leaves the position
// wherever the payload reader stopped.
std::unique_ptr<Chunk> ReadChunk(ReadState& in, uint32_t region_left, uint32_t* total) {
  auto node = std::make_unique<Chunk>();
  node->offset = uint32_t(aftell(in.file));
  const std::string left = std::to_string(region_left) + " bytes";
  *total = 0;
  if (region_left < 6) {
    NoteDamage(in.damage, *node, "only " + left + " left, too few for a chunk header");
    return node;
  }
  Cursor header(in, node.get(), region_left);
  node->id = header.U16();
  *total = header.U32();
  node->length = *total >= 6 ? *total - 6 : 0;
  if (in.depth == 0 && node->id != CHUNK_MAIN) NoteDamage(in.damage, *node, "not a 3DS file: no main chunk");
  if (*total < 6)
    NoteDamage(in.damage, *node, "length " + std::to_string(*total) + " is shorter than a chunk header");
  else if (*total > region_left)
    NoteDamage(in.damage, *node,
               "length " + std::to_string(*total) + " runs past " +
                   (in.depth == 0 ? "the end of the file (" + left + ")" : "its parent (" + left + " left there)"));
  const uint32_t payload = std::min(node->length, header.Left());
  PayloadReader read = nullptr;
  if (in.probe_id != 0 && node->id == in.probe_id) {
    read = ReadTest;
  } else if (const ChunkType* type = FindChunkType(node->id)) {
    read = type->read;
  }
  if (read && in.depth > kMaxChunkDepth)
    NoteDamage(in.damage, *node, "nested deeper than " + std::to_string(kMaxChunkDepth) + " chunks");
  else if (read)
    read(in, payload, node.get());
  return node;
}

}  // namespace

const char* ChunkName(uint32_t id) {
  const ChunkType* type = FindChunkType(id);
  return type ? type->name : nullptr;
}

Chunk* FindChunk(const Chunk* chunk, uint32_t id) {
  if (!chunk) return nullptr;
  for (const auto& child : chunk->children)
    if (child->id == id) return child.get();
  return nullptr;
}

void NoteDamage(ChunkDamage* damage, const Chunk& chunk, const std::string& what) {
  if (!damage || *damage) return;
  *damage = ChunkDamage{chunk.offset, chunk.id, what};
}

std::string DescribeDamage(const ChunkDamage& damage) {
  char head[64];
  const char* name = ChunkName(damage.id);
  std::snprintf(head, sizeof head, "offset %u, chunk 0x%04x%s%s: ", damage.offset, damage.id, name ? " " : "",
                name ? name : "");
  return head + damage.what;
}

std::unique_ptr<Chunk> Read3DS(AFILE* file, uint32_t probe_id, ChunkDamage* damage) {
  const auto size = uint32_t(file->end - file->begin);
  if (size < 6) {
    NoteDamage(damage, Chunk(), "a file of " + std::to_string(size) + " bytes holds no chunk");
    return nullptr;
  }
  afseek(file, 0, 0);
  ReadState in{file, probe_id, 0, damage};
  uint32_t total = 0;
  return ReadChunk(in, size, &total);
}

std::unique_ptr<Chunk> Load3DS(const char* name, ChunkDamage* damage) {
  AFILE* file = afopen(name, "rb");
  if (!file) return nullptr;
  std::unique_ptr<Chunk> root = Read3DS(file, 0, damage);
  afclose(file);
  return root;
}
