// techno11.3ds: the first machine scene. A steel hall with a mirror floor;
// four tubes (built by the part) hang from mounts in the ceiling with chrome
// riders at their ends, blue light panels glow between the wall pillars and
// pipes run along the walls.

#include "content/scenes/scene_kit.h"

namespace {

constexpr float kFloor = 7600, kCeiling = 11000, kMountZ = 10567.153f;
constexpr V3 kCentre{12325, -1580, 9300};
constexpr float kHalf = 3700;  // half width of the hall round the centre
constexpr V3 kHallLo{kCentre.x - kHalf, kCentre.y - kHalf, kFloor}, kHallHi{kCentre.x + kHalf, kCentre.y + kHalf, kCeiling};
const V3 kTubeBases[4] = {{14472.444f, -3594.216f, kMountZ},
                          {14472.444f, 616.446f, kMountZ},
                          {10178.361f, 616.446f, kMountZ},
                          {10178.361f, -3743.054f, kMountZ}};

// The four inner walls of the hall, each from `a` to `b` along the floor,
// facing the centre; pillars split each wall into kBays bays.
struct Wall {
  V3 a, b;
};
const Wall kWalls[4] = {{{kHallLo.x, kHallLo.y, kFloor}, {kHallHi.x, kHallLo.y, kFloor}},
                        {{kHallHi.x, kHallLo.y, kFloor}, {kHallHi.x, kHallHi.y, kFloor}},
                        {{kHallHi.x, kHallHi.y, kFloor}, {kHallLo.x, kHallHi.y, kFloor}},
                        {{kHallLo.x, kHallHi.y, kFloor}, {kHallLo.x, kHallLo.y, kFloor}}};
constexpr int kBays = 4;
// The tubes' rings and their spacing at the part's first frame.
constexpr int kTubeRings = 32;
constexpr float kFirstRingSpacing = 50;

}  // namespace

Scene Techno11() {
  Scene scene;
  scene.last_frame = 1125;
  const uint16_t metal = scene.AddMaterial(Machine().metal);
  const uint16_t walls = scene.AddMaterial(Machine().walls);
  const uint16_t grating = scene.AddMaterial(Machine().grating);
  const uint16_t panels = scene.AddMaterial(Machine().panels);
  const uint16_t chrome = scene.AddMaterial(Machine().chrome);
  // Pillars and pipes in blued steel: the hall's cool metal.
  const uint16_t steel = scene.AddMaterial(Textured("teras", "teras.jpg", false, 80));

  // Walls: riveted plates below and above a band of light panels.
  Mesh& hall = scene.AddMesh("Halli");
  Mesh& lights = scene.AddMesh("Valot");
  Mesh& pillars = scene.AddMesh("Pylvaat");
  Mesh& pipes = scene.AddMesh("Putket");
  for (const Wall& w : kWalls) {
    const V3 inward = Normalized(Cross({0, 0, 1}, w.b - w.a));
    AddWallPanel(hall, w.a, w.b, kFloor, 8200, {8, 0.6f}, walls);
    AddWallPanel(hall, w.a, w.b, 9800, kCeiling, {8, 1.2f}, walls);
    for (int i = 0; i < kBays; ++i) {
      const V3 a = w.a + (w.b - w.a) * (float(i) / kBays), b = w.a + (w.b - w.a) * (float(i + 1) / kBays);
      AddWallPanel(lights, a, b, 8200, 9800, {1, 0.8f}, panels);
      const V3 p = a + inward * 260;
      AddTube(pillars, {p.x, p.y, kFloor}, {p.x, p.y, kCeiling}, 200, 200, 10, steel, false, 800);
    }
    // Two pipes along the wall, under the panels and under the ceiling.
    for (float z : {8050.f, 10500.f}) {
      const V3 a = w.a + inward * 120 + V3{0, 0, z}, b = w.b + inward * 120 + V3{0, 0, z};
      AddTube(pipes, a, b, 70, 70, 8, steel, false, 600);
    }
  }
  Mesh& ceiling = scene.AddMesh("Katto");
  AddQuad(ceiling, {{kHallLo.x, kHallLo.y, kCeiling}, {kHallLo.x, kHallHi.y, kCeiling}, {kHallHi.x, kHallHi.y, kCeiling},
                    {kHallHi.x, kHallLo.y, kCeiling}},
          {{0, 0}, {0, 4}, {4, 4}, {4, 0}}, walls);

  // The mirror floor: its first three points span the floor plane.
  AddQuad(scene.AddMesh("Peili01"),
          {{kHallLo.x, kHallLo.y, kFloor}, {kHallHi.x, kHallLo.y, kFloor}, {kHallHi.x, kHallHi.y, kFloor},
           {kHallLo.x, kHallHi.y, kFloor}},
          {{0, 0}, {8, 0}, {8, 8}, {0, 8}}, grating);

  // Ceiling mounts of the four tubes, and the beams that carry them.
  Mesh& mounts = scene.AddMesh("Kiinnike");
  for (const V3& b : kTubeBases) {
    AddTube(mounts, b, {b.x, b.y, kCeiling}, 330, 260, 16, metal, true, 400);
    AddTube(mounts, b + V3{0, 0, 60}, b + V3{0, 0, 140}, 380, 380, 16, metal, true, 400);  // collar
  }
  for (float y : {-3700.f, 620.f})
    AddBox(mounts, {kHallLo.x, y - 240, 10700}, {kHallHi.x, y + 240, 10950}, metal, 800);
  for (float x : {10178.f, 14472.f})
    AddBox(mounts, {x - 200, kHallLo.y, 10760}, {x + 200, kHallHi.y, 10900}, metal, 800);

  // The chrome riders that the part hangs on the tubes' lower ends, each
  // drawn where its tube ends at the first frame, one ring spacing below the
  // last ring. Each frame sits at the rider's top, the point the part moves:
  // a collar that caps the open tube and a drop-shaped weight under it.
  const char* const riders[4] = {"tarzan", "tarzan01", "tarzan02", "tarzan03"};
  for (int k = 0; k < 4; ++k) {
    Mesh& rider = scene.AddMesh(riders[k]);
    rider.origin = kTubeBases[k] - V3{0, 0, kTubeRings * kFirstRingSpacing};
    AddTube(rider, rider.origin - V3{0, 0, 60}, rider.origin + V3{0, 0, 110}, 290, 270, 16, chrome, true, 400);
    AddSphere(rider, rider.origin - V3{0, 0, 190}, 140, 8, 16, chrome,
              [](V3 d) { return 1.0f - 0.25f * d.z; });  // narrowing upwards
  }

  // Low machine cabinets in the corners, behind the tubes.
  Mesh& cabinets = scene.AddMesh("Kaapit");
  for (float sx : {-1.f, 1.f})
    for (float sy : {-1.f, 1.f}) {
      const V3 c{kCentre.x + sx * (kHalf - 600), kCentre.y + sy * (kHalf - 600), kFloor};
      AddBox(cabinets, c - V3{380, 380, 0}, c + V3{380, 380, 900}, walls, 600);
      AddBox(cabinets, c + V3{-260, -260, 900}, c + V3{260, 260, 1050}, metal, 600);
    }

  // One cold key light over the tubes: the show has eight lights for all of
  // its scenes.
  scene.lights.push_back({"Omni", {11200, -3000, 10200}, 0.75f, 0.85f, 1.0f, {}});

  // Three framings round the tubes, the eye never nearer than about 800 to a
  // tube's axis (its studs reach 625) or to a pillar: the four tubes wide
  // across the hall, a close pass round one tube, a glide low over the
  // mirror floor along a row of tubes and past the other two with their
  // reflections, then a rise that ends on three tubes wide.
  const std::vector<CameraStop> path = {
      {0, {9600, -2300, 9900}, {12600, -1300, 9500}, 70},
      {125, {10600, -2200, 9700}, {13400, -2300, 9300}, 64},
      {250, {12600, -4450, 9100}, {14472, -3594, 9100}, 52},
      {375, {13400, -2500, 8700}, {14472, -3594, 8800}, 50},
      {475, {13650, -4600, 7950}, {14472, 616, 8700}, 58},
      {600, {13650, -1500, 7900}, {14472, 616, 8600}, 58},
      {725, {12325, -300, 7900}, {10178, 616, 8600}, 60},
      {850, {11600, -2600, 8300}, {10178, -3743, 8700}, 58},
      {975, {14300, -1300, 9600}, {11500, -1600, 9300}, 66},
      {1125, {15200, 0, 10300}, {11800, -2400, 9400}, 70},
  };
  AddCamera(scene, path);
  return scene;
}
