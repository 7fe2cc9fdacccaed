// Textures by name: decoded images kept once per file in a process-wide
// table, and managers that map texture names to GL texture objects.
#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <map>
#include <string>

// One loaded image file: RGBA bytes, rows top first.
struct TextureImage {
  int32_t width;
  int32_t height;
  uint8_t* pixels;  // width x height x 4, owned
  char* name;       // the file name it was loaded under, owned
};

// One GL texture object and the image uploaded into it.
struct TextureRef {
  uint32_t id;
  TextureImage* image;
};

using ImageTable = std::map<std::string, TextureImage*>;

// The process-wide table of images by file name, made on first use; only
// GetImage adds to it, and nothing is removed.
ImageTable& Images();

// The table's entry for the file, loading it when absent.
TextureImage* GetImage(const std::string& file_name);

// Decodes the file (".jpg" or ".png", exact case) into RGBA with alpha 127,
// or the alpha of a "<stem>.mask" gray PNG when there is one. "default" in
// any case is the built-in 64 x 64 pattern; a file missing from the archives
// silently becomes that pattern too. An unsupported extension or an image
// that cannot be decoded ends the program with status 1.
TextureImage* LoadImage(const std::string& file_name);

// Binds ref's texture and uploads its image with every mipmap level; leaves
// the current material white.
void UploadTexture(const TextureRef& ref);

class TextureManager {
 public:
  // The entry for the texture name, or BindTexture when there is none (the
  // image name is then used).
  TextureRef* GetTexture(const std::string& texture_name, const std::string& image_name);
  // Enters the texture name with a reference to the image: the manager's
  // existing reference to that image when it has one, else a new GL texture.
  TextureRef* BindTexture(const std::string& texture_name, const std::string& image_name);

  const std::map<std::string, TextureRef*>& Bindings() const { return textures_; }

 private:
  std::map<std::string, TextureRef*> textures_;
};

// The manager shared by everything outside the scenes, made on first use;
// it grows as pictures and effects bind their textures through GetTexture.
TextureManager& SharedTextureManager();
// GetTexture on the shared manager.
TextureRef* GetTexture(const std::string& texture_name, const std::string& image_name);

// Diagnostic listings on standard output.
void PrintImageBindings();
void PrintTextureBindings(const TextureManager& manager);
