// Building scenes from 3DS chunk trees: meshes, lights, cameras, their
// keyframe tracks and the object hierarchy.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "scene/chunk3ds.h"
#include "scene/scene.h"

// What the loader throws for a mesh whose vertex or face list is there but
// cannot be read; what() is the show's message ("no vertices !!", "no
// triangles !!"), which Scene::Load prints before the program ends.
class SceneLoadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads the file, files its lights and cameras into the scene and returns
// its meshes (file order, then the keyframer's dummies). Empty when the file
// cannot be read or has no mesh section. A damaged file loads what could be
// read; one line names the file and its first damage, also kept in *damage.
// A mesh whose vertices or faces cannot be read throws SceneLoadError.
std::vector<GLMesh*> LoadObjects(Scene& scene, const char* file_name, ChunkDamage* damage = nullptr);
// The same over a chunk tree that is already read.
std::vector<GLMesh*> LoadObjects(Scene& scene, const Chunk* root);

// Fills the mesh from an object block holding a triangle mesh; false when
// the block is no mesh or lacks vertices or faces, SceneLoadError when they
// are there but cannot be read.
bool LoadFromChunk(GLMesh* mesh, const Chunk* root, const Chunk* block, TextureManager& textures);

// The keyframer node of the kind (CHUNK_TRACKINFO, CHUNK_TRACKCAMERA, ...)
// whose track name is exactly the object's name; null when there is none.
const Chunk* FindKeyframeNode(const Chunk* root, const std::string& name, uint32_t kind);

// Prints depth blanks, "Name: " and the object's name, then the children
// two blanks deeper.
void PrintTree(const GLMesh* object, int depth);
