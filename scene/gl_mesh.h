// The drawable mesh: render attributes, a visibility stack, a world matrix
// and two ways of drawing (vertex arrays, or a display list compiled once).
#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "scene/animation_mesh.h"
#include "scene/attribute.h"
#include "scene/view_volume.h"

class Scene;

// The loader's dummies carry no geometry: only their children are drawn.
extern const char kDummyName[];

class GLMesh : public AnimationMesh {
 public:
  // Generates the display-list name; needs a current GL context.
  explicit GLMesh(const PathLocation& location);
  GLMesh(const GLMesh&) = delete;
  GLMesh& operator=(const GLMesh&) = delete;
  // Deletes the attributes.
  ~GLMesh() override;

  // Per-frame attribute updates when visible; children are not visited.
  virtual void Update(Scene& scene);
  using AnimationMesh::Update;
  // Draws the mesh and its children with their own attributes.
  virtual void Render(Scene& scene);
  // Draws again with the given attributes in place of everyone's own.
  virtual void RenderWith(Scene& scene, const AttributeList& attributes);

  GLMesh* Parent() const { return static_cast<GLMesh*>(GetParent()); }
  GLMesh* Child(size_t i) const { return static_cast<GLMesh*>(Children()[i]); }

  // The mesh takes ownership.
  void AddAttribute(Attribute* attribute);
  // Takes out every attribute of the kind, without deleting it.
  void RemoveAttributes(int32_t kind);
  const AttributeList& Attributes() const { return attributes_; }

  void PushVisibility(int flag) { visibility_.push_back(flag); }
  // The first entry stays: popping it is ignored.
  void PopVisibility();
  int VisibilityTop() const { return visibility_.back(); }
  bool IsVisible() const { return visibility_.back() != 0; }

  // From now on the mesh is drawn from its display list, compiled here.
  void UseDisplayList();
  void MakeList();
  // Compiles the mesh and its children into its display list without
  // drawing from it: a parent compiled afterwards calls this list in its
  // own, and CallOwnList draws it alone.
  void CompileOwnList();
  // Draws the list of CompileOwnList under the current matrix.
  void CallOwnList() const { glCallList(display_list_); }
  GLuint DisplayList() const { return display_list_; }
  bool UsesDisplayList() const { return use_display_list_; }
  // Whether the mesh or a descendant changes from frame to frame.
  bool IsDynamic() const;
  // Whether the mesh or a descendant carries an attribute with a non-zero
  // order value: its pixels depend on what was drawn behind it before.
  bool IsOverlay() const;
  void SetCacheable(bool cacheable) { cacheable_ = cacheable; }
  bool IsCacheable() const { return cacheable_; }

  void ComputeWorldMatrix(Scene& scene);
  const mat4& WorldMatrix() const { return world_; }
  // The vertex through the world matrix of the last ComputeWorldMatrix.
  vec<float, 3> WorldVertex(uint32_t index) const;
  // Widens `box` by every vertex of the mesh and its children as they are
  // drawn under the current matrix, in the coordinates of that matrix.
  void WidenBounds(WorldBox* box) const;
  // Draws this mesh under the transforms of all its ancestors.
  void RenderInContext(Scene& scene);

  // Multiplies the current matrix by the location and the scale.
  void ApplyLocation() const;
  // Translates by minus the pivot, then multiplies by the frame.
  void ApplyPivotAndFrame() const;

 private:
  bool IsDummy() const { return Name() == kDummyName; }
  // One vertex-array draw; with log, the per-frame counts line.
  void DrawArrays(Scene& scene, const AttributeList& attributes, bool log);
  // The immediate-mode twin of Render, for the display list.
  void EmitBody();
  // From the root down to the parent.
  std::vector<GLMesh*> Ancestors();

  AttributeList attributes_;
  std::vector<int> visibility_{1};
  mat4 world_ = mat4(1.0f);
  GLuint display_list_ = 0;
  bool use_display_list_ = false;
  bool own_list_ = false;
  bool cacheable_ = true;
};
