// OpenGL entry points beyond OpenGL 1.1. Each is null when the driver lacks
// it; every user tests for that before calling.
#pragma once

#include <GL/gl.h>
#include <GL/glext.h>

struct GLExtensions {
  PFNGLBLENDCOLOREXTPROC glBlendColorEXT = nullptr;
  PFNGLBLENDEQUATIONPROC glBlendEquation = nullptr;
  PFNGLMULTITEXCOORD1FARBPROC glMultiTexCoord1fARB = nullptr;
  PFNGLMULTITEXCOORD2FARBPROC glMultiTexCoord2fARB = nullptr;
  PFNGLMULTITEXCOORD3FARBPROC glMultiTexCoord3fARB = nullptr;
  PFNGLMULTITEXCOORD4FARBPROC glMultiTexCoord4fARB = nullptr;
  PFNGLACTIVETEXTUREARBPROC glActiveTextureARB = nullptr;
  PFNGLCLIENTACTIVETEXTUREARBPROC glClientActiveTextureARB = nullptr;
  PFNGLLOCKARRAYSEXTPROC glLockArraysEXT = nullptr;
  PFNGLUNLOCKARRAYSEXTPROC glUnlockArraysEXT = nullptr;
  void* (*wglAllocateMemoryNV)(GLsizei, GLfloat, GLfloat, GLfloat) = nullptr;
};

// The process-wide table, empty until SetupExtensions fills it in the GL
// set-up at start-up; read-only after that.
extern GLExtensions gExt;

using ProcAddressLoader = void* (*)(const char* name);

// Fills `table` from `loader` when `extensions` names both
// "GL_ARB_multitexture" and "GL_EXT_texture_env_combine"; otherwise prints
// "** Environment combining not supported!", leaves the table empty and
// returns false.
bool LoadExtensions(const char* extensions, ProcAddressLoader loader, GLExtensions* table);

// The same over the current context's extension string and SDL's loader,
// into gExt.
bool SetupExtensions();
