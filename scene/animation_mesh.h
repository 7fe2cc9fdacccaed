// Meshes in a hierarchy, moved by keyframed position, rotation and scale.
#pragma once

#include <cstdint>
#include <vector>

#include "scene/text_mesh.h"

class AnimationMesh : public Mesh3 {
 public:
  // Stores the parent and, when there is one, appends this mesh to its
  // children. A parent that is the mesh itself or one of its descendants
  // would make a cycle: it is refused with a message.
  void SetParent(AnimationMesh* parent);
  AnimationMesh* GetParent() const { return parent_; }
  const std::vector<AnimationMesh*>& Children() const { return children_; }
  // Appends to the children without touching the child's parent.
  void AppendChild(AnimationMesh* child) { children_.push_back(child); }

  int32_t HierarchyNumber() const { return hierarchy_number_; }
  void SetHierarchyNumber(int32_t number) { hierarchy_number_ = number; }

  KeyframePath<float, 3>& ScalePath() { return scale_path_; }
  const KeyframePath<float, 3>& ScalePath() const { return scale_path_; }
  vec<float, 3>& Scale() { return scale_; }
  const vec<float, 3>& Scale() const { return scale_; }
  vec<float, 3>& Pivot() { return pivot_; }
  const vec<float, 3>& Pivot() const { return pivot_; }

  // Rewinds the paths, resets the children, then updates once.
  void Reset() override;
  // Follows the paths for the current step, then updates the children.
  void Update() override;

 protected:
  // Only GLMesh and its descendants are built.
  explicit AnimationMesh(const PathLocation& location) : Mesh3(location) {}

 private:
  AnimationMesh* parent_ = nullptr;
  std::vector<AnimationMesh*> children_;
  int32_t hierarchy_number_ = -2;
  KeyframePath<float, 3> scale_path_;
  vec<float, 3> scale_ = vec<float, 3>(1.0f);
  vec<float, 3> pivot_ = vec<float, 3>(0.0f);
};
