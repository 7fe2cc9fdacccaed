// Sampling a camera's keyed path and measuring ground distances to it.
#include "parts/camera_track.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kTrackStep = 0.25f;  // key intervals between track points

}  // namespace

std::vector<vec3f> CameraTrack(const GLMesh& camera) {
  std::vector<vec3f> track;
  const KeyframePath<float, 3>& path = camera.PositionPath();
  if (!path.IsValid()) return track;
  const float last = float(path.KeyCount() - 1);
  for (float parameter = 0.0f; parameter < last; parameter += kTrackStep) track.push_back(path.ValueAt(parameter));
  track.push_back(path.ValueAt(last));
  return track;
}

float DistanceToTrack(const std::vector<vec3f>& track, float x, float y) {
  float nearest = 1e30f;
  for (size_t i = 0; i < track.size(); ++i) {
    const vec3f& a = track[i];
    const vec3f& b = i + 1 < track.size() ? track[i + 1] : a;
    const float abx = b[0] - a[0], aby = b[1] - a[1], apx = x - a[0], apy = y - a[1];
    const float length2 = abx * abx + aby * aby;
    const float t = length2 > 0.0f ? std::clamp((apx * abx + apy * aby) / length2, 0.0f, 1.0f) : 0.0f;
    nearest = std::min(nearest, std::hypot(apx - t * abx, apy - t * aby));
  }
  return nearest;
}
