// The 3DS files of the assimp-testmodels package, and reading files and
// byte strings with the show's chunk reader.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <lib3ds/file.h>

#include "scene/chunk3ds.h"

constexpr char kAssimpModels[] = "/usr/share/assimp/models/3DS/";

std::vector<std::string> AssimpModels3ds();

std::string CommandOutput(const std::string& command);

std::unique_ptr<Chunk> ReadChunkFile(const std::string& path, ChunkDamage* damage = nullptr);
std::unique_ptr<Chunk> ReadChunkBytes(const std::string& bytes, uint32_t probe_id = 0, ChunkDamage* damage = nullptr);

struct Lib3dsDeleter {
  void operator()(Lib3dsFile* f) const { lib3ds_file_free(f); }
};
using Lib3dsPtr = std::unique_ptr<Lib3dsFile, Lib3dsDeleter>;
inline Lib3dsPtr Lib3dsLoad(const std::string& path) { return Lib3dsPtr(lib3ds_file_load(path.c_str())); }
