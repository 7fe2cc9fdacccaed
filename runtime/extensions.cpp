// Checking the extension string and fetching the entry points beyond OpenGL 1.1.
#include "runtime/extensions.h"

#include <SDL/SDL.h>

#include <cstdio>
#include <cstring>
#include <string>

GLExtensions gExt;

namespace {

template <typename Proc>
void Fetch(ProcAddressLoader loader, const char* name, Proc* slot) {
  *slot = reinterpret_cast<Proc>(loader(name));
}

void* SdlLoader(const char* name) { return SDL_GL_GetProcAddress(name); }

// Copies of the driver's strings, kept for the life of the process.
std::string gVersion;
std::string gExtensions;

std::string CopyOf(const GLubyte* text) { return text ? reinterpret_cast<const char*>(text) : ""; }

}  // namespace

bool LoadExtensions(const char* extensions, ProcAddressLoader loader, GLExtensions* table) {
  *table = GLExtensions{};
  if (!extensions || !std::strstr(extensions, "GL_ARB_multitexture") ||
      !std::strstr(extensions, "GL_EXT_texture_env_combine")) {
    std::printf("** Environment combining not supported!\n");
    return false;
  }
  Fetch(loader, "glBlendColorEXT", &table->glBlendColorEXT);
  Fetch(loader, "glBlendEquation", &table->glBlendEquation);
  Fetch(loader, "glMultiTexCoord1fARB", &table->glMultiTexCoord1fARB);
  Fetch(loader, "glMultiTexCoord2fARB", &table->glMultiTexCoord2fARB);
  Fetch(loader, "glMultiTexCoord3fARB", &table->glMultiTexCoord3fARB);
  Fetch(loader, "glMultiTexCoord4fARB", &table->glMultiTexCoord4fARB);
  Fetch(loader, "glActiveTextureARB", &table->glActiveTextureARB);
  Fetch(loader, "glClientActiveTextureARB", &table->glClientActiveTextureARB);
  Fetch(loader, "glLockArraysEXT", &table->glLockArraysEXT);
  Fetch(loader, "glUnlockArraysEXT", &table->glUnlockArraysEXT);
  Fetch(loader, "wglAllocateMemoryNV", &table->wglAllocateMemoryNV);
  return true;
}

bool SetupExtensions() {
  gVersion = CopyOf(glGetString(GL_VERSION));
  gExtensions = CopyOf(glGetString(GL_EXTENSIONS));
  const char* extensions = gExtensions.c_str();
  if (std::strstr(extensions, "GL_ARB_multitexture") && std::strstr(extensions, "GL_EXT_texture_env_combine")) {
    GLint units = 0;
    glGetIntegerv(GL_MAX_TEXTURE_UNITS_ARB, &units);
  }
  return LoadExtensions(extensions, SdlLoader, &gExt);
}
