// The nature parts' evening water: the sky behind the scene and mirrored on
// its water, and the sun's light.
#pragma once

#include "effects/multi_texture.h"
#include "scene/scene.h"

// The sky as water reflects it ("skywater.jpg", a sphere map with the sun's
// path under the sky picture's sun) on unit 0, its own colours, tinted by the
// water's texture (unit 1, its map coordinates): the water carries the
// sunset, darker than the sky, and ripples, tilting the normals, move it.
MultiTexture* SkyOnWater(Scene& scene);

// The evening sky behind the scene, and on its `water` object, where the
// scene has one, the sky as water reflects it (SkyOnWater); its "Omni"
// light, which the file gives as ambient only, lights like the sun
// (LightDiffusely).
void DressEveningWater(Scene& scene, const char* water);
