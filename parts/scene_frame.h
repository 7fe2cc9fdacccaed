// The drawing that every scene frame shares, for the show's parts and the
// tools alike: the scene through its active camera, the part's own effects,
// and a planar mirror's reflection.
#pragma once

#include <functional>

class GLMesh;
class Scene;

// Every scene is drawn at this scale, so near and far planes and the fog
// fall where the show puts them.
constexpr float kSceneScale = 0.02f;
// The evening's fog colour, shared by every scene part.
constexpr float kFogColour[3] = {0.93359375f, 0.41796875f, 0.0859375f};

// Clears to the scene's background, updates and advances its objects and,
// under the active camera, draws the scene, then `effects`, then, when a
// `mirror` is given, the mirror's surface as the stencil mask and the scene
// and `effects` again reflected in the plane through its first three
// vertices. Neither draws the trail nor presents. The stencil buffer is left
// as the mask made it.
void DrawSceneFrame(Scene& scene, GLMesh* mirror, const std::function<void()>& effects);

// Masking (alpha not 0) and both sides for one cut-out object: leaves,
// reeds, rails.
void DressCutOut(GLMesh& object);
// Dresses as a cut-out every object whose first texture's image has a
// ".mask" image beside it in the archives.
void DressMaskedCutOuts(Scene& scene);
