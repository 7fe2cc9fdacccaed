// Render attributes: small objects in a mesh's list that set OpenGL state
// before the mesh is drawn, restore it afterwards and may feed per-vertex
// data when the mesh is compiled into a display list.
#pragma once

#include <cstdint>
#include <vector>

class Scene;
class GLMesh;

// Kind values, compared by GLMesh::RemoveAttributes.
enum AttributeKind : int32_t {
  kPlainColorKind = 0,  // a Color built from four values
  kColorKind = 1,
  kTextureKind = 2,  // also EnvironmentMap
  kLightingKind = 3,
  kDoubleSidedKind = 4,
  kMultiTextureKind = 5,
  kTransparencyKind = 6,
  kProjectiveTextureKind = 7,
  kMaskingKind = 8,
  kCubemapKind = 9,  // a Cubemap without pictures has kind 0
};

class Attribute {
 public:
  Attribute(int32_t kind, int32_t order = 0, bool dynamic = false) : order(order), kind(kind), dynamic(dynamic) {}
  virtual ~Attribute() = default;

  // Once per frame, from the mesh's Update.
  virtual void Update(Scene&, GLMesh&) {}
  // A vertex-array draw: all Prepare, all BeginArrays, the draw, all
  // EndArrays, all Finish, each in list order.
  virtual void Prepare(Scene&, GLMesh&) {}
  virtual void BeginArrays(Scene&, GLMesh&) {}
  // A display-list body: BeginImmediate, Vertex before each corner's
  // position, EndImmediate.
  virtual void BeginImmediate(GLMesh&) {}
  virtual void Vertex(GLMesh&, uint32_t /*index*/) {}
  virtual void Finish(Scene&, GLMesh&) {}
  virtual void EndArrays(Scene&, GLMesh&) {}
  virtual void EndImmediate(GLMesh&) {}

  int32_t order;  // 1 for Transparency, 0 otherwise: what is drawn over the frame behind it
  int32_t kind;
  bool dynamic;  // changes every frame: the mesh must not be compiled
};

using AttributeList = std::vector<Attribute*>;
