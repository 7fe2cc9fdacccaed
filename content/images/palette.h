// Colours shared by the image recipes.
#pragma once

#include "tools/content/raster.h"

namespace palette {
constexpr Colour kFog{0.934f, 0.418f, 0.086f};
constexpr Colour kSunCore{1.0f, 0.97f, 0.82f};
constexpr Colour kDuskViolet{0.16f, 0.10f, 0.30f};
constexpr Colour kRose{0.78f, 0.32f, 0.30f};
constexpr Colour kSteelBlue{0.36f, 0.50f, 0.70f};
constexpr Colour kPanelBlue{0.20f, 0.55f, 1.0f};
}  // namespace palette

// Each texture recipe, one per file it adds.
void AddSky(AssetSet& assets);
void AddNatureTextures(AssetSet& assets);
void AddFoliageTextures(AssetSet& assets);
void AddMachineTextures(AssetSet& assets);
