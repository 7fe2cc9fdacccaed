// Dressing that the three machine halls share: their lights, self-lit blue
// panels, chrome that mirrors the hall, and the numbered machine blocks.
#pragma once

#include <GL/gl.h>

#include "parts/scene_part.h"

struct TextureRef;

// A machine part's frame: keyframes at 25 a second, fog to 200 set as the
// second nature part sets it (enabled before its mode), and its trail.
ScenePart::Setup MachineSetup(const char* scene_file, float trail_opacity);

// The file's lights shining diffusely, the blue light panels
// ("blue_spa.jpg") lighting themselves.
void DressMachineHall(Scene& scene);

// `object` shows its own texture sphere-mapped: polished chrome. The texture
// is filtered without its mipmaps from now on, wherever it shows. Null is
// passed over.
void DressChrome(GLMesh* object);

// `picture` sphere-mapped over the object's own texture on a second unit,
// combined by `mode` (GL_MODULATE tints, GL_ADD lights up). Replaces the
// object's Texture attribute.
void DressSheen(GLMesh& object, const TextureRef& picture, GLenum mode);

// Draws `sky` over the window where the scene has drawn nothing, its depth
// still at the far plane: under the camera, after the scene. The halls open
// to the sky texture only the pixels where it shows, where a background
// picture would texture every pixel before the scene covers most of them.
void DrawSkyWhereOpen(const TextureRef& sky);

// The numbered machine blocks "Box1", "Box2", ... up to the first number that
// the scene lacks: their plates take a chrome sheen of `chrome`. Returns how
// many there are.
int DressNumberedBoxes(Scene& scene, const TextureRef& chrome);
