// Recipes of the show's 3DS scenes.
#pragma once

#include "tools/content/asset_set.h"

// natu11.3ds, natu22.3ds, natu33.3ds, kurppa.3ds, techno11.3ds,
// techno22.3ds and techno33.3ds.
void AddScenes(AssetSet& assets);
