// Finding the assimp test models, and running commands and the chunk reader over files for the scene tests.
#include "model_files.h"

#include <cstdio>

std::vector<std::string> AssimpModels3ds() {
  std::vector<std::string> paths;
  for (const char* name : {"CameraRollAnim.3ds", "CameraRollAnimWithChildObject.3ds", "RotatingCube.3DS",
                           "TargetCameraAnim.3ds", "cube_with_diffuse_texture.3DS", "cube_with_specular_texture.3DS",
                           "cubes_with_alpha.3DS", "fels.3ds", "test1.3ds"})
    paths.push_back(std::string(kAssimpModels) + name);
  return paths;
}

std::string CommandOutput(const std::string& command) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return out;
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  pclose(pipe);
  return out;
}

std::unique_ptr<Chunk> ReadChunkFile(const std::string& path, ChunkDamage* damage) {
  AFILE* file = afload(path.c_str());
  if (!file) return nullptr;
  std::unique_ptr<Chunk> root = Read3DS(file, 0, damage);
  affree(file);
  delete file;
  return root;
}

std::unique_ptr<Chunk> ReadChunkBytes(const std::string& bytes, uint32_t probe_id, ChunkDamage* damage) {
  std::string copy = bytes;
  auto* begin = reinterpret_cast<unsigned char*>(copy.data());
  AFILE file{begin, begin, begin + copy.size()};
  return Read3DS(&file, probe_id, damage);
}
