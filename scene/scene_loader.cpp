// The 3DS scene loader: Scene::Load and the passes over the chunk tree.
#include "scene/scene_loader.h"

#include <cctype>
#include <cstdio>
#include <memory>
#include <string>

#include "maths/pi.h"
#include "runtime/fatal.h"
#include "scene/basic_attributes.h"

namespace {

constexpr char kDummyNodeName[] = "$$$DUMMY";
constexpr float kPathRate = 0.1f;

struct MaterialInfo {
  std::string name;
  vec<float, 3> ambient = vec<float, 3>(0.0f);
  vec<float, 3> diffuse = vec<float, 3>(0.0f);
  vec<float, 3> specular = vec<float, 3>(0.0f);
  float shininess = 0;
};

// Every direct child with the id, in order.
std::vector<const Chunk*> ChildrenWithId(const Chunk* chunk, uint32_t id) {
  std::vector<const Chunk*> found;
  if (chunk)
    for (const auto& child : chunk->children)
      if (child->id == id) found.push_back(child.get());
  return found;
}

// A byte colour child scaled to 0..1, replaced by a float colour child.
vec<float, 3> ReadColour(const Chunk* holder) {
  vec<float, 3> colour(0.0f);
  if (const auto* bytes = Payload<ChunkByteColour>(FindChunk(holder, CHUNK_RGBB)))
    for (int i = 0; i < 3; ++i) colour[i] = bytes->rgb[i] * 0.003921569f;
  if (const auto* floats = Payload<ChunkFloats>(FindChunk(holder, CHUNK_RGBF)))
    for (int i = 0; i < 3; ++i) colour[i] = floats->values[i];
  return colour;
}

MaterialInfo ReadMaterial(const Chunk* material) {
  MaterialInfo info;
  if (const auto* name = Payload<ChunkText>(FindChunk(material, CHUNK_MATNAME))) info.name = name->text;
  info.ambient = ReadColour(FindChunk(material, CHUNK_AMBIENT));
  info.diffuse = ReadColour(FindChunk(material, CHUNK_DIFFUSE));
  info.specular = ReadColour(FindChunk(material, CHUNK_SPECULAR));
  if (const auto* wrd = Payload<ChunkNumber>(FindChunk(FindChunk(material, CHUNK_SHININESS), CHUNK_WRD)))
    info.shininess = float(wrd->value & 0xFF);
  return info;
}

void SetMaterialColour(GLenum which, const vec<float, 3>& c) {
  const float rgba[4] = {c[0], c[1], c[2], 1.0f};
  glMaterialfv(GL_FRONT_AND_BACK, which, rgba);
}

void LoadMaterials(Scene& scene, const Chunk* objmesh) {
  for (const Chunk* material : ChildrenWithId(objmesh, CHUNK_MATERIAL)) {
    MaterialInfo info = ReadMaterial(material);
    const Chunk* map = FindChunk(FindChunk(material, CHUNK_TEXTURE), CHUNK_MAPFILE);
    if (const auto* file = Payload<ChunkText>(map)) {
      std::string image = file->text;
      for (char& c : image) c = char(std::tolower(static_cast<unsigned char>(c)));
      std::printf("attempt to load&bind: %s->%s\n", info.name.c_str(), image.c_str());
      TextureRef* texture = scene.Textures().GetTexture(info.name, image);
      glBindTexture(GL_TEXTURE_2D, texture->id);
      SetMaterialColour(GL_AMBIENT, info.ambient);
      SetMaterialColour(GL_DIFFUSE, info.diffuse);
      SetMaterialColour(GL_SPECULAR, info.specular);
    } else {
      scene.Textures().GetTexture("default", "default");
    }
  }
}

template <int N>
void SetTrack(KeyframePath<float, N>& path, const std::vector<float>& frames,
              const std::vector<vec<float, N>>& values) {
  path.SetKeys(values, frames);
  path.SetRate(kPathRate);
}

void SetVec3Track(KeyframePath<float, 3>& path, const Chunk* track) {
  if (const auto* keys = Payload<Vec3Track>(track)) SetTrack(path, keys->frames, keys->values);
}

// Scalar keys times the factor.
void SetFloatTrack(KeyframePath<float, 1>& path, const Chunk* track, float factor) {
  const auto* keys = Payload<FloatTrack>(track);
  if (!keys) return;
  std::vector<vec<float, 1>> values;
  for (float v : keys->values) values.push_back(vec<float, 1>(v * factor));
  SetTrack(path, keys->frames, values);
}

// Exposes the local-axis turn that rotation keys compose with.
class RotationFrame : public DirectedLocation {
 public:
  RotationFrame() : DirectedLocation(vec<float, 3>(0.0f), vec<float, 3>(0.0f, 0.0f, -1.0f), vec<float, 3>(0.0f, 1.0f, 0.0f)) {}
  using DirectedLocation::TurnAboutLocalAxis;
};

// Each key turns the frame further (by minus its angle); the rotation path
// maps a time to a fractional index into the list of orientations.
void SetRotationTrack(PathLocation& location, const Chunk* track) {
  const auto* keys = Payload<RotationTrack>(track);
  if (!keys) return;
  RotationFrame frame;
  std::vector<vec<float, 1>> indices;
  for (size_t i = 0; i < keys->frames.size(); ++i) {
    const vec<float, 3>& axis = keys->axes[i];
    if (axis[0] != 0 || axis[1] != 0 || axis[2] != 0) frame.TurnAboutLocalAxis(axis, -keys->angles[i]);
    location.Orientations().push_back(frame.Orientation());
    indices.push_back(vec<float, 1>(float(i)));
  }
  SetTrack(location.RotationPath(), keys->frames, indices);
}

void SetPivot(AnimationMesh* mesh, const Chunk* pivot) {
  if (const auto* p = Payload<ChunkFloats>(pivot))
    for (int i = 0; i < 3; ++i) mesh->Pivot()[i] = p->values[i];
}

// Position, pivot, rotation and scale tracks of a mesh node.
void TakeMeshTracks(GLMesh* mesh, const Chunk* node) {
  if (!node) return;
  for (const auto& track : node->children) {
    switch (track->id) {
      case CHUNK_TRACKPOS: SetVec3Track(mesh->PositionPath(), track.get()); break;
      case CHUNK_TRACKPIVOT: SetPivot(mesh, track.get()); break;
      case CHUNK_TRACKROTATE: SetRotationTrack(*mesh, track.get()); break;
      case CHUNK_TRACKSCALE: SetVec3Track(mesh->ScalePath(), track.get()); break;
      default: break;
    }
  }
}

PathLocation MeshLocation() {
  return PathLocation(vec<float, 3>(0.0f), vec<float, 3>(0.0f, 0.0f, -1.0f), vec<float, 3>(0.0f, 1.0f, 0.0f));
}

// Lights and cameras stand at their point looking along +y with z up.
PathLocation ViewerLocation(const float* p) {
  const vec<float, 3> position(p[0], p[1], p[2]);
  return PathLocation(position, position + vec<float, 3>(0.0f, 1.0f, 0.0f), vec<float, 3>(0.0f, 0.0f, 1.0f));
}

const Chunk* NodeTrack(const Chunk* root, const std::string& name, uint32_t kind, uint32_t track) {
  return FindChunk(FindKeyframeNode(root, name, kind), track);
}

void LoadLight(Scene& scene, const Chunk* root, const std::string& name, const Chunk* chunk) {
  const float* position = Payload<ChunkFloats>(chunk)->values.data();
  vec<float, 3> colour(1.0f);
  if (const auto* rgb = Payload<ChunkFloats>(FindChunk(chunk, CHUNK_RGBF)))
    colour = vec<float, 3>(rgb->values[0], rgb->values[1], rgb->values[2]);
  const auto* spot = Payload<ChunkFloats>(FindChunk(chunk, CHUNK_SPOTLIGHT));
  std::printf(spot ? "Spotlight\n" : "Omnilight\n");
  auto* light = new Light(ViewerLocation(position), colour, vec<float, 3>(0.0f), vec<float, 3>(0.0f),
                          vec<float, 3>(1.0f, 0.0f, 0.0f), spot != nullptr);
  light->PushVisibility(0);
  light->SetName(name);
  if (spot) light->LookAt(vec<float, 3>(spot->values[0], spot->values[1], spot->values[2]), 0);
  scene.AddLight(light);
  if (spot) {
    SetVec3Track(light->PositionPath(), NodeTrack(root, name, CHUNK_TRACKSPOTL, CHUNK_TRACKPOS));
    SetVec3Track(light->TargetPath(), NodeTrack(root, name, CHUNK_TRACKLIGHTGT, CHUNK_TRACKPOS));
  } else {
    SetVec3Track(light->PositionPath(), NodeTrack(root, name, CHUNK_TRACKLIGHT, CHUNK_TRACKPOS));
  }
}

void LoadCamera(Scene& scene, const Chunk* root, const std::string& name, const Chunk* chunk) {
  const float* v = Payload<ChunkFloats>(chunk)->values.data();
  auto* camera = new Camera<GLMesh>(ViewerLocation(v), 45.0f, 1.3333334f);
  camera->PushVisibility(0);
  camera->SetName(name);
  camera->LookAt(vec<float, 3>(v[3], v[4], v[5]), 0);
  scene.AddCamera(camera);
  if (const Chunk* node = FindKeyframeNode(root, name, CHUNK_TRACKCAMERA)) {
    SetVec3Track(camera->PositionPath(), FindChunk(node, CHUNK_TRACKPOS));
    SetPivot(camera, FindChunk(node, CHUNK_TRACKPIVOT));
    SetFloatTrack(camera->RollPath(), FindChunk(node, CHUNK_TRACKROLL), float(-kPiDouble / 180));
    SetFloatTrack(camera->FieldOfViewPath(), FindChunk(node, CHUNK_TRACKFOV), 1.0f);
  }
  if (const Chunk* node = FindKeyframeNode(root, name, CHUNK_TRACKCAMTGT)) {
    SetVec3Track(camera->TargetPath(), FindChunk(node, CHUNK_TRACKPOS));
    SetPivot(camera, FindChunk(node, CHUNK_TRACKPIVOT));
  }
}

GLMesh* FindByName(const std::vector<GLMesh*>& meshes, const std::string& name) {
  for (GLMesh* mesh : meshes)
    if (mesh->Name() == name) return mesh;
  return nullptr;
}

// Rebuilds the hierarchy from the keyframer's node order: a node's parent
// number is the index of an earlier node, counted over every object node.
void BuildHierarchy(const Chunk* keyframer, std::vector<GLMesh*>& meshes) {
  int32_t counter = -2;
  GLMesh* previous = nullptr;
  int unmatched = 0;
  for (const auto& node : keyframer->children) {
    switch (node->id) {
      case CHUNK_TRACKCAMERA: case CHUNK_TRACKCAMTGT: case CHUNK_TRACKLIGHT:
      case CHUNK_TRACKLIGHTGT: case CHUNK_TRACKSPOTL:
        ++counter;
        continue;
      case CHUNK_TRACKINFO:
        break;
      default:
        continue;
    }
    std::printf("Chunk: %x\n", node->id);
    const auto* track_name = Payload<ChunkTrackName>(FindChunk(node.get(), CHUNK_TRACKOBJNAME));
    GLMesh* mesh = nullptr;
    const int32_t parent_number = track_name ? int16_t(track_name->hierarchy) : 0;
    if (track_name && track_name->name == kDummyNodeName) {
      mesh = new GLMesh(MeshLocation());
      mesh->SetName(kDummyName);
      meshes.push_back(mesh);
      TakeMeshTracks(mesh, node.get());
    } else if (track_name && (mesh = FindByName(meshes, track_name->name))) {
      std::printf("loyty: %s\n", mesh->Name().c_str());
    }
    if (!mesh) {
      std::printf("Ei loydy: %s\n", track_name ? track_name->name.c_str() : "");
      ++unmatched;
      ++counter;
      continue;
    }
    std::printf("nimi: %s\n", mesh->Name().c_str());
    if (parent_number == counter + 1) {
      std::printf("edellisen alle:\n");
      mesh->SetParent(previous);
    } else {
      std::printf("etsitaan taso:\n");
      for (GLMesh* sibling : meshes) {
        if (sibling->HierarchyNumber() != parent_number) continue;
        std::printf("stoasd:\n");
        mesh->SetParent(sibling->Parent());
        break;
      }
    }
    mesh->SetHierarchyNumber(parent_number);
    previous = mesh;
    ++counter;
  }
  if (unmatched) std::printf("keyframer nodes without a mesh: %d\n", unmatched);
}

// Prints the message with an empty line before and after it.
void Report(const std::string& message) { std::printf("\n%s\n\n", message.c_str()); }

}  // namespace

const Chunk* FindKeyframeNode(const Chunk* root, const std::string& name, uint32_t kind) {
  for (const Chunk* node : ChildrenWithId(FindChunk(root, CHUNK_KEYFRAMER), kind)) {
    const auto* track_name = Payload<ChunkTrackName>(FindChunk(node, CHUNK_TRACKOBJNAME));
    if (track_name && track_name->name == name) return node;
  }
  return nullptr;
}

bool LoadFromChunk(GLMesh* mesh, const Chunk* /*root*/, const Chunk* block, TextureManager& textures) {
  std::printf("ladataan: \n");
  if (!block || block->id != CHUNK_OBJBLOCK || block->children.empty()) return false;
  const Chunk* trimesh = block->children[0].get();
  if (trimesh->id != CHUNK_TRIMESH) return false;
  const Chunk* vertex_list = FindChunk(trimesh, CHUNK_VERTLIST);
  const Chunk* face_list = FindChunk(trimesh, CHUNK_FACELIST);
  const auto* points = Payload<ChunkVertices>(vertex_list);
  const auto* faces = Payload<ChunkFaces>(face_list);
  if (!vertex_list || !face_list) return false;
  if (!points) throw SceneLoadError("no vertices !!");
  if (!faces) throw SceneLoadError("no triangles !!");
  if (faces->faces.empty()) return false;
  const std::string name = Payload<ChunkText>(block)->text;

  std::vector<vec<float, 3>> vertices(points->points);
  std::vector<Mesh3::Simplex> triangles;
  for (const auto& f : faces->faces) triangles.push_back({f[0], f[1], f[2]});
  std::vector<vec<float, 2>> map(vertices.size(), vec<float, 2>(0.0f, 0.0f));
  if (const auto* coords = Payload<ChunkMapCoords>(FindChunk(trimesh, CHUNK_MAPLIST))) {
    for (size_t i = 0; i < map.size() && i < coords->coords.size(); ++i) map[i] = coords->coords[i];
  } else {
    Report("no maps !!: " + name);
  }

  std::vector<TextureRef*> face_textures(triangles.size(), nullptr);
  const std::vector<const Chunk*> materials = ChildrenWithId(face_list, CHUNK_FACEMAT);
  for (const Chunk* chunk : materials) {
    const auto* material = Payload<ChunkFaceMaterial>(chunk);
    TextureRef* texture = textures.GetTexture(material->name, "default");
    for (uint16_t face : material->faces)
      if (face < face_textures.size()) face_textures[face] = texture;
  }
  if (materials.empty()) {
    Report("no textures !!");
    face_textures.assign(triangles.size(), GetTexture("default", "default"));
  }

  mat4 frame(1.0f);
  if (const auto* matrix = Payload<ChunkFloats>(FindChunk(trimesh, CHUNK_TRMATRIX)))
    for (int row = 0; row < 4; ++row)
      for (int column = 0; column < 3; ++column) frame(row, column) = matrix->values[row * 3 + column];
  mat4 inverse(1.0f);
  Invert(frame, inverse);
  mesh->SetFrame(inverse);

  mesh->SetGeometry(std::move(vertices), std::move(triangles), std::move(map), std::move(face_textures));
  mesh->SetName(name);
  return true;
}

std::vector<GLMesh*> LoadObjects(Scene& scene, const Chunk* root) {
  if (!root) return {};
  std::printf("Materials:\n");
  const Chunk* objmesh = FindChunk(root, CHUNK_OBJMESH);
  if (!objmesh) return {};
  LoadMaterials(scene, objmesh);
  std::printf("Materials: end\n");
  const Chunk* keyframer = FindChunk(root, CHUNK_KEYFRAMER);

  std::vector<std::unique_ptr<GLMesh>> loaded;  // owned here while a SceneLoadError may still end the loading
  for (const Chunk* block : ChildrenWithId(objmesh, CHUNK_OBJBLOCK)) {
    const std::string name = Payload<ChunkText>(block)->text;
    const uint32_t kind = block->children.empty() ? 0 : block->children[0]->id;
    if (kind == CHUNK_TRIMESH) {
      loaded.emplace_back(new GLMesh(MeshLocation()));
      GLMesh* mesh = loaded.back().get();
      LoadFromChunk(mesh, root, block, scene.Textures());
      std::printf("valmis: %s\n", name.c_str());
      TakeMeshTracks(mesh, FindKeyframeNode(root, name, CHUNK_TRACKINFO));
      mesh->AddAttribute(new Texture());
      mesh->AddAttribute(new Lighting());
    } else if (kind == CHUNK_LIGHT) {
      LoadLight(scene, root, name, block->children[0].get());
    } else if (kind == CHUNK_CAMERA) {
      LoadCamera(scene, root, name, block->children[0].get());
    } else {
      std::printf("Unhandled object subchunk 0x%x\n", kind);
    }
  }
  std::printf("kaikki meni\n");
  std::vector<GLMesh*> meshes;
  for (std::unique_ptr<GLMesh>& mesh : loaded) meshes.push_back(mesh.release());
  if (keyframer) BuildHierarchy(keyframer, meshes);
  return meshes;
}

std::vector<GLMesh*> LoadObjects(Scene& scene, const char* file_name, ChunkDamage* damage) {
  ChunkDamage found;
  const std::unique_ptr<Chunk> root = Load3DS(file_name, &found);
  std::vector<GLMesh*> meshes = LoadObjects(scene, root.get());
  if (found) std::printf("3DS file '%s' is damaged: %s\n", file_name, DescribeDamage(found).c_str());
  if (damage) *damage = found;
  return meshes;
}

void PrintTree(const GLMesh* object, int depth) {
  std::printf("%*sName: %s\n", depth, "", object->Name().c_str());
  for (size_t i = 0; i < object->Children().size(); ++i) PrintTree(object->Child(i), depth + 2);
}

bool Scene::Load(const char* file_name) {
  ChunkDamage damage;
  std::vector<GLMesh*> meshes;
  try {
    meshes = LoadObjects(*this, file_name, &damage);
  } catch (const SceneLoadError& e) {
    Report(e.what());
    ExitWithStatus(1);  // the show is not meant to survive a mesh it cannot read
  }
  std::printf("insertoidaan\n");
  for (GLMesh* mesh : meshes) {
    mesh->Reset();
    if (!mesh->Parent()) AddObject(mesh);
  }
  for (const GLMesh* object : Objects()) PrintTree(object, 2);
  std::printf("meni jo\n");
  return !damage;
}
