// The drawing that every scene frame shares, for the show's parts and the
// tools alike: the scene through its active camera, the part's own effects,
// and a planar mirror's reflection.
#pragma once

#include <functional>

#include "scene/attribute.h"

class GLMesh;
class Scene;

// Every scene is drawn at this scale, so near and far planes and the fog
// fall where the show puts them.
constexpr float kSceneScale = 0.02f;

// Clears to the scene's background, updates and advances its objects and,
// under the active camera, draws the scene, then `effects`, then, when a
// `mirror` is given, the mirror's surface as the stencil mask and the scene
// and `effects` again reflected in the plane through its first three
// vertices, and last, when `veil` holds attributes, the surface once more
// with them over its reflection. Neither draws the trail nor presents. The
// stencil buffer is left as the mask made it.
void DrawSceneFrame(Scene& scene, GLMesh* mirror, const std::function<void()>& effects,
                    const AttributeList& veil = {});
