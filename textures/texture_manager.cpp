// Texture names bound to images, uploads, and the binding listings.
#include "textures/texture_manager.h"

#include <GL/glu.h>

#include <cstdio>

TextureRef* TextureManager::GetTexture(const std::string& texture_name, const std::string& image_name) {
  auto found = textures_.find(texture_name);
  if (found != textures_.end()) return found->second;
  return BindTexture(texture_name, image_name);
}

TextureRef* TextureManager::BindTexture(const std::string& texture_name, const std::string& image_name) {
  TextureImage* image = GetImage(image_name);
  TextureRef* ref = nullptr;
  for (const auto& binding : textures_) {
    if (binding.second->image == image) {
      ref = binding.second;
      break;
    }
  }
  if (!ref) {
    GLuint id = 0;
    glGenTextures(1, &id);
    ref = new TextureRef{id, image};
    UploadTexture(*ref);
  }
  textures_[texture_name] = ref;
  return ref;
}

void UploadTexture(const TextureRef& ref) {
  const TextureImage& image = *ref.image;
  glBindTexture(GL_TEXTURE_2D, ref.id);
  glTexImage2D(GL_TEXTURE_2D, 0, 4, image.width, image.height, 0, GL_RGBA, GL_UNSIGNED_BYTE, image.pixels);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  const GLfloat white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, white);
  glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, white);
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, white);
  gluBuild2DMipmaps(GL_TEXTURE_2D, 4, image.width, image.height, GL_RGBA, GL_UNSIGNED_BYTE, image.pixels);
}

TextureManager& SharedTextureManager() {
  static TextureManager manager;
  return manager;
}

TextureRef* GetTexture(const std::string& texture_name, const std::string& image_name) {
  return SharedTextureManager().GetTexture(texture_name, image_name);
}

namespace {

void PrintImage(const TextureImage& image) {
  std::printf("(w: %d, h: %d, data: %ld, name: %s)", image.width, image.height,
              static_cast<long>(reinterpret_cast<intptr_t>(image.pixels)), image.name);
}

}  // namespace

void PrintImageBindings() {
  std::printf("IMAGE BINDINGS: \n");
  int i = 1;
  for (const auto& binding : Images()) {
    std::printf("  #%d: %s -> ", i++, binding.first.c_str());
    PrintImage(*binding.second);
    std::printf("\n");
  }
}

void PrintTextureBindings(const TextureManager& manager) {
  std::printf("TEXTURE BINDINGS:\n");
  int i = 1;
  for (const auto& binding : manager.Bindings()) {
    std::printf("  #%d: %s -> (ID:%u, ", i++, binding.first.c_str(), binding.second->id);
    PrintImage(*binding.second->image);
    std::printf(")\n");
  }
}
