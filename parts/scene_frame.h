// The drawing that every scene frame shares, for the show's parts and the
// tools alike: the scene through its active camera, the part's own effects,
// and a planar mirror's reflection.
#pragma once

#include <functional>

#include "scene/attribute.h"

class GLMesh;
class Scene;
struct TextureRef;

// Every scene is drawn at this scale, so near and far planes and the fog
// fall where the show puts them.
constexpr float kSceneScale = 0.02f;
// The evening's fog colour, shared by every scene part.
constexpr float kFogColour[3] = {0.93359375f, 0.41796875f, 0.0859375f};

// Clears to the scene's background, updates and advances its objects and,
// under the active camera, draws the scene, then `effects`, then, when a
// `mirror` is given, the mirror's surface as the stencil mask and the scene
// and `effects` again reflected in the plane through its first three
// vertices, and last, when `veil` holds attributes, the surface once more
// with them over its reflection. Neither draws the trail nor presents. The
// stencil buffer is left as the mask made it.
void DrawSceneFrame(Scene& scene, GLMesh* mirror, const std::function<void()>& effects,
                    const AttributeList& veil = {});

// The evening sky picture, "stoka" from "skysun2.jpg".
TextureRef* SkyTexture(Scene& scene);
// Puts the evening sky, "skysun2.jpg" under the texture name "stoka", behind
// the scene: the frame's clear draws it.
void PushSkyBackground(Scene& scene);

// File lights carry their colour as ambient only; lights every light of the
// scene diffusely with it, and with 0.35 of it as ambient.
void LightDiffusely(Scene& scene);

// Takes the attributes of one kind off `object` and deletes them.
void DropAttributes(GLMesh& object, int32_t kind);
// Objects whose first texture is the image `image` light themselves: their
// Lighting attribute is dropped, so they show the picture as painted.
void DressSelfLit(Scene& scene, const char* image);

// The part moves and turns `object` itself from now on: its position and
// rotation tracks are dropped, and it is drawn every frame rather than from
// the static display list. Call before the render list is built.
void FreeFromTracks(GLMesh& object);

// Masking (alpha not 0) and both sides for one cut-out object: leaves,
// reeds, rails.
void DressCutOut(GLMesh& object);
// Dresses as a cut-out every object whose first texture's image has a
// ".mask" image beside it in the archives.
void DressMaskedCutOuts(Scene& scene);
