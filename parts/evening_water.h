// The nature parts' evening water: the sky behind the scene and mirrored on
// its water, and the sun's light.
#pragma once

#include "effects/multi_texture.h"
#include "scene/scene.h"

// The sky sphere-mapped on the water (unit 0, its own colours) and tinted by
// the water's texture (unit 1, its map coordinates): the water carries the
// sunset, darker than the sky, and ripples, tilting the normals, move it.
MultiTexture* SkyOnWater(const TextureRef& sky);

// The evening sky behind the scene, and on its `water` object, where the
// scene has one, the sky as water reflects it ("skywater.jpg", a sphere map
// without a sun, through SkyOnWater); its "Omni" light, which the file gives
// as ambient only, lights like the sun (LightDiffusely).
void DressEveningWater(Scene& scene, const char* water);
