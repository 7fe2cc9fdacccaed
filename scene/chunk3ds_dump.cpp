// Text listing of a chunk tree, for looking inside 3DS files.
#include <cstdio>

#include "scene/chunk3ds.h"

namespace {

void Indent(int depth) {
  for (int i = 0; i < depth; ++i) std::printf("  ");
}

void PointLine(int depth, const char* label, const float* p) {
  Indent(depth);
  std::printf("%s<%f %f %f>\n", label, p[0], p[1], p[2]);
}

void NumberLine(int depth, size_t count) {
  Indent(depth);
  std::printf("Number: %d\n", int(count));
}

const char* ShadingName(uint32_t type) {
  switch (type) {
    case 1: return "Flat";
    case 2: return "Gouraund";
    case 3: return "Phong";
    case 4: return "Metal";
    default: return "Unknown";
  }
}

void PrintMapFlags(int depth, uint32_t flags) {
  const uint32_t b = flags & 0xFF;
  Indent(depth);
  if ((b & 0xC0) == 0x80) {
    std::printf("RGB luma tint\n");
  } else if ((b & 0xC0) == 0xC0) {
    std::printf("Alpha tint\n");
  } else {
    std::printf((b & 0x02) ? "RGB tint\n" : "RGB\n");
  }
  Indent(depth);
  std::printf((b & 0x40) ? "Summed arial\n" : "Pyramidal\n");
  static const char* const kTiling[] = {"Tile\n", "Tile & Decal\n", nullptr, "Decal\n"};
  const uint32_t tiling = b & 0x11;
  if (const char* line = kTiling[(tiling & 1) | (tiling >> 3)]) {
    Indent(depth);
    std::printf("%s", line);
  }
  const bool ignore_alpha = flags & 0x100, negative = flags & 0x08, mirror = flags & 0x02;
  if (!ignore_alpha && !negative && !mirror) return;
  Indent(depth);
  if (ignore_alpha) std::printf(" - Ignore map alpha");
  if (negative) std::printf(" - Negative");
  if (mirror) std::printf(" - Mirror");
  std::printf("\n");
}

// Per key: its number, then its time and values one level deeper.
void PrintKeys(const KeyTrack& track, int depth, void (*values)(const KeyTrack&, size_t, int)) {
  Indent(depth);
  std::printf("Last keyframe time: %ld\n", long(track.last_frame));
  Indent(depth);
  std::printf("Keyframe count: %ld\n", long(track.frames.size()));
  for (size_t i = 0; i < track.frames.size(); ++i) {
    Indent(depth);
    std::printf("Keyframe #%d:\n", int(i));
    Indent(depth + 1);
    std::printf("Time: %f\n", track.frames[i]);
    values(track, i, depth + 1);
  }
}

}  // namespace

void ChunkText::Print(const Chunk& chunk, int depth) const {
  Indent(depth);
  if (chunk.id == CHUNK_OBJBLOCK) {
    std::printf("%s\n", text.c_str());
  } else {
    std::printf("\"%s\"\n", text.c_str());
  }
}

void ChunkFloats::Print(const Chunk& chunk, int depth) const {
  const float* v = values.data();
  switch (chunk.id) {
    case CHUNK_LIGHT:
      PointLine(depth, "", v);
      break;
    case CHUNK_SPOTLIGHT:
      PointLine(depth, "", v);
      Indent(depth);
      std::printf("Hotspot: %f, Falloff: %f\n", v[3], v[4]);
      break;
    case CHUNK_CAMERA:
      PointLine(depth, "Position: ", v);
      PointLine(depth, "Target: ", v + 3);
      Indent(depth);
      std::printf("Bank: %f, Lens: %f\n", v[6], v[7]);
      break;
    case CHUNK_TRMATRIX:
      for (int row = 0; row < 4; ++row) {
        Indent(depth);
        std::printf("%10f %10f %10f \n", v[row * 3], v[row * 3 + 1], v[row * 3 + 2]);
      }
      break;
    case CHUNK_RGBF:
    case CHUNK_RGBF2:
      Indent(depth);
      std::printf("R: %f, G: %f, B: %f\n", v[0], v[1], v[2]);
      break;
    case CHUNK_TRACKPIVOT:
      PointLine(depth, "Pivot position: ", v);
      break;
    default:
      Indent(depth);
      std::printf("%f\n", v[0]);
  }
}

void ChunkByteColour::Print(const Chunk&, int depth) const {
  Indent(depth);
  std::printf("R: %d, G: %d, B: %d\n", rgb[0], rgb[1], rgb[2]);
}

void ChunkNumber::Print(const Chunk& chunk, int depth) const {
  if (chunk.id == CHUNK_TFLAGS) return PrintMapFlags(depth, value);
  Indent(depth);
  if (chunk.id == CHUNK_SHADETYPE) {
    std::printf("%s\n", ShadingName(value));
  } else if (chunk.id == CHUNK_OBJNUMBER) {
    std::printf("Object number: %d\n", int(value));
  } else {
    std::printf("%d\n", int(value & 0xFFFF));
  }
}

void ChunkVertices::Print(const Chunk&, int depth) const {
  NumberLine(depth, points.size());
  for (const auto& p : points) PointLine(depth, "", p.v);
}

void ChunkVertexFlags::Print(const Chunk&, int depth) const {
  NumberLine(depth, flags.size());
  Indent(depth);
  for (uint16_t f : flags) std::printf("%.4x ", f);
  std::printf("\n");
}

void ChunkMapCoords::Print(const Chunk&, int depth) const {
  NumberLine(depth, coords.size());
  for (const auto& uv : coords) {
    Indent(depth);
    std::printf("<%f %f>\n", uv[0], uv[1]);
  }
}

void ChunkFaces::Print(const Chunk&, int depth) const {
  NumberLine(depth, faces.size());
  for (const auto& f : faces) {
    Indent(depth);
    std::printf("(%d %d %d) [%.4x]\n", f[0], f[1], f[2], f[3]);
  }
}

void ChunkFaceMaterial::Print(const Chunk&, int depth) const {
  Indent(depth);
  std::printf("%s\n", name.c_str());
  NumberLine(depth, faces.size());
  Indent(depth);
  for (uint16_t f : faces) std::printf("%d ", f);
  std::printf("\n");
}

void ChunkTrackName::Print(const Chunk&, int depth) const {
  Indent(depth);
  std::printf("Name: '%s'\n", name.c_str());
  Indent(depth);
  std::printf("Hierarchy: %d\n", hierarchy);
}

void Vec3Track::Print(const Chunk& chunk, int depth) const {
  const bool position = chunk.id == CHUNK_TRACKPOS;
  PrintKeys(*this, depth, position ? +[](const KeyTrack& t, size_t i, int d) {
    PointLine(d, "Position: ", static_cast<const Vec3Track&>(t).values[i].v);
  } : +[](const KeyTrack& t, size_t i, int d) {
    PointLine(d, "Vector: ", static_cast<const Vec3Track&>(t).values[i].v);
  });
}

void FloatTrack::Print(const Chunk&, int depth) const {
  PrintKeys(*this, depth, [](const KeyTrack& t, size_t i, int d) {
    Indent(d);
    std::printf("Angle: %f\n", static_cast<const FloatTrack&>(t).values[i]);
  });
}

void RotationTrack::Print(const Chunk&, int depth) const {
  PrintKeys(*this, depth, [](const KeyTrack& t, size_t i, int d) {
    const auto& track = static_cast<const RotationTrack&>(t);
    Indent(d);
    std::printf("Angle: %f\n", track.angles[i]);
    PointLine(d, "Vector: ", track.axes[i].v);
  });
}

void ChunkRawBytes::Print(const Chunk&, int depth) const {
  NumberLine(depth, bytes.size());
}

void DumpChunkTree(const Chunk& chunk, int depth) {
  Indent(depth);
  std::printf("%.4x ", chunk.id);
  if (const char* name = ChunkName(chunk.id)) {
    std::printf("%s, ", name);
  } else {
    std::printf("unknown, ");
  }
  std::printf("length: %d\n", int(chunk.length));
  if (chunk.data) chunk.data->Print(chunk, depth + 1);
  for (const auto& child : chunk.children) DumpChunkTree(*child, depth + 1);
}
