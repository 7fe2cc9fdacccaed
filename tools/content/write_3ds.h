// Serialises a Scene as a 3D Studio file, using only the chunks that the
// show's reader knows.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/content/scene_model.h"

// Throws std::length_error for a mesh with more than 65535 points or faces
// and std::invalid_argument for a camera without position or target keys or
// a face that names a point or material that does not exist.
std::vector<uint8_t> Write3ds(const Scene& scene);
