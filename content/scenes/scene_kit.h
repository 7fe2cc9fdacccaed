// Helpers that the scene recipes share: materials, camera paths and the
// placement of small props.
#pragma once

#include <string>
#include <vector>

#include "tools/content/mesh_builders.h"
#include "tools/content/scene_model.h"

// A white-lit material that shows its texture as painted.
Material Textured(const std::string& name, const std::string& texture, bool two_sided = false,
                  uint16_t shininess = 10);

// The machine halls' materials: riveted plates, steel, grating, chrome, and
// the light panels and neon that light themselves. Each techno scene adds
// those it uses, in its own order.
struct MachineMaterials {
  Material metal, walls, grating, panels, chrome, neon;
};
const MachineMaterials& Machine();

struct CameraStop {
  uint32_t frame;
  V3 position, target;
  float fov = 50;  // degrees
  float roll = 0;  // degrees
};
// "Camera01" following the stops.
void AddCamera(Scene& scene, const std::vector<CameraStop>& stops);

// Upright quad over the floor line from `a` to `b`, from height z0 to z1,
// facing along up x (b - a): walls listed counter-clockwise seen from above
// face inwards. `repeats`: texture repeats across and up.
void AddWallPanel(Mesh& mesh, V3 a, V3 b, float z0, float z1, V2 repeats, uint16_t material);

// Materials of a machine tower: plated base, band of light, steel block,
// chrome cap.
struct TowerLook {
  uint16_t plates, light, steel, chrome;
};
// A tower standing on `base`, `half` wide each way, `height` tall.
void AddTower(Mesh& mesh, V3 base, float half_x, float half_y, float height, const TowerLook& look);

// A spruce on the ground at `root`: a trunk and three stacked cones of
// boughs, `height` tall.
void AddSpruce(Mesh& mesh, V3 root, float height, uint16_t boughs);

// Distance in the ground plane from `p` to the polyline through the stops'
// positions: props kept away from it stay clear of the camera.
float DistanceToPath(const std::vector<CameraStop>& stops, V3 p);

// Raises every stop to at least `clearance` above the ground.
void KeepAbove(std::vector<CameraStop>& stops, const HeightField& ground, float clearance);

// A tiny marker pyramid whose first point is `root`: a stand-in that a part
// replaces with generated geometry (trees).
void AddPlaceholder(Scene& scene, const std::string& name, V3 root, uint16_t material);

// The show binds one texture per object (its first face's). Every mesh that
// mixes materials keeps the faces of its first face's material; the faces of
// each other material move to a new mesh "<name>_<material>".
Scene OneTexturePerMesh(Scene scene);

// Recipes of the single scenes; each returns the finished scene.
Scene Natu11();
Scene Natu22();
Scene Natu33();
Scene Kurppa();
Scene Techno11();
Scene Techno22();
Scene Techno33();
