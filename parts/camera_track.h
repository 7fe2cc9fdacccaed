// The ground track of a scene's camera, for placing things along the way it
// looks.
#pragma once

#include <vector>

#include "scene/gl_mesh.h"

// Points along the camera's keyed position path, in file units.
std::vector<vec3f> CameraTrack(const GLMesh& camera);
// Distance in the ground plane from the point to the polyline; far away
// for an empty one.
float DistanceToTrack(const std::vector<vec3f>& track, float x, float y);
