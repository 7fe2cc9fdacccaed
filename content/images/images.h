// Recipes of the show's images: the textures that the scenes and parts name,
// and the three full-screen pictures.
#pragma once

#include "tools/content/asset_set.h"

// skysun2.jpg and skywater.jpg, the nature textures and the machine
// textures, with masks.
void AddTextures(AssetSet& assets);
// loading.jpg, loading2.jpg and the_end.jpg (640 x 480).
void AddPictures(AssetSet& assets);
