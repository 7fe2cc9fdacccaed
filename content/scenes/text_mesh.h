// Block lettering: text rasterised with FreeType and raised into boxes.
#pragma once

#include <string>

#include "tools/content/scene_model.h"

// Adds the text standing upright in the xz-plane facing -y, its baseline
// centred on `centre`, each font pixel `cell` units wide and `depth` deep.
void AddBlockText(Mesh& mesh, const std::string& text, int pixel_height, V3 centre, float cell, float depth,
                  uint16_t material);
