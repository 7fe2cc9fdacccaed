// How the show dresses its scenes, for the parts and the tools alike: the
// evening's fog and sky, the lights, self-lit and cut-out objects, and
// objects that the parts move themselves.
#pragma once

#include <cstdint>

class GLMesh;
class Light;
class Scene;
struct TextureRef;

// The evening's fog colour, shared by every scene part.
constexpr float kFogColour[3] = {0.93359375f, 0.41796875f, 0.0859375f};

// Sets the program's fog to the evening's: linear in kFogColour from eye
// distance 1 to `end`; `mode_before_enable` orders the last two settings.
void SetEveningFog(float end, bool mode_before_enable = true);

// The evening sky picture, "stoka" from "skysun2.jpg".
TextureRef* SkyTexture(Scene& scene);
// Puts the evening sky, "skysun2.jpg" under the texture name "stoka", behind
// the scene: the frame's clear draws it.
void PushSkyBackground(Scene& scene);

// File lights carry their colour as ambient only; lights the light
// diffusely with it, and with 0.35 of it as ambient.
void LightDiffusely(Light& light);
// LightDiffusely for every light of the scene.
void LightDiffusely(Scene& scene);

// Takes the attributes of one kind off `object` and deletes them.
void DropAttributes(GLMesh& object, int32_t kind);
// The object lights itself: its Lighting attribute is replaced by one that
// switches lighting off, so it shows its picture as painted.
void DressSelfLit(GLMesh& object);
// Objects whose first texture is the image `image` light themselves.
void DressSelfLit(Scene& scene, const char* image);

// The part moves and turns `object` itself from now on: its position and
// rotation tracks are dropped, and it is drawn every frame rather than from
// the static display list. Call before the render list is built.
void FreeFromTracks(GLMesh& object);

// Masking (alpha above one half) and both sides for one cut-out object:
// leaves, reeds, rails.
void DressCutOut(GLMesh& object);
// Dresses as a cut-out every object whose first texture's image has a
// ".mask" image beside it in the archives.
void DressMaskedCutOuts(Scene& scene);
