// In-memory scene as it is authored: materials, meshes, omni lights and
// cameras with keyframe tracks, in 3DS file units (z up).
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

struct V3 {
  float x = 0, y = 0, z = 0;
};
inline V3 operator+(V3 a, V3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline V3 operator-(V3 a, V3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline V3 operator*(V3 a, float s) { return {a.x * s, a.y * s, a.z * s}; }
V3 Cross(V3 a, V3 b);
float Dot(V3 a, V3 b);
float Length(V3 a);
V3 Normalized(V3 a);

struct V2 {
  float u = 0, v = 0;
};

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
};

struct Material {
  std::string name;
  Rgb ambient, diffuse, specular;
  uint16_t shininess = 10;  // percent
  std::string texture;      // image file name; empty: untextured
  bool two_sided = false;
};

struct Triangle {
  uint16_t a, b, c;
  uint16_t material;  // index into Scene::materials
};

template <typename T>
struct Key {
  uint32_t frame;
  T value;
};

struct Mesh {
  std::string name;
  std::vector<V3> points;  // world coordinates
  std::vector<V2> uvs;     // one per point
  std::vector<Triangle> faces;
  // Origin of the object's local frame. Vertices stay in world coordinates;
  // the mesh matrix and the keyframer node both put the frame here, so the
  // object turns about this point and renders where it is authored.
  V3 origin;
  // Where the origin travels, keyed in 3DS frames; empty: it stays put.
  std::vector<Key<V3>> path;
};

struct Camera {
  std::string name;
  std::vector<Key<V3>> position, target;  // at least one key each
  std::vector<Key<float>> roll, fov;      // degrees; may be empty
};

struct Light {
  std::string name;
  V3 position;
  float red = 1, green = 1, blue = 1;
  std::vector<Key<V3>> path;  // empty: stands at position
};

struct Scene {
  std::vector<Material> materials;
  std::deque<Mesh> meshes;  // AddMesh keeps earlier meshes where they are
  std::vector<Light> lights;
  std::vector<Camera> cameras;
  uint32_t last_frame = 100;

  // Adds a material and returns its index.
  uint16_t AddMaterial(const Material& m);
  // The mesh stays valid while further meshes are added.
  Mesh& AddMesh(const std::string& name);
  const Mesh* FindMesh(const std::string& name) const;
};
