// Conversions to GLM, the independent reference for rotations.
#pragma once

#include <glm/glm.hpp>
#include <glm/gtc/quaternion.hpp>

#include "maths/quaternion.h"

inline glm::quat ToGlm(const Quaternion& q) { return glm::quat(q.w, q.x, q.y, q.z); }
inline glm::vec3 ToGlm(const vec<float, 3>& v) { return glm::vec3(v[0], v[1], v[2]); }
inline Quaternion FromGlm(const glm::quat& q) { return {q.w, q.x, q.y, q.z}; }
inline vec<float, 3> FromGlm(const glm::vec3& v) { return vec<float, 3>(v.x, v.y, v.z); }
// The local-to-world (column-vector) rotation of q.
inline glm::mat3 LocalToWorld(const Quaternion& q) { return glm::mat3_cast(ToGlm(q)); }
