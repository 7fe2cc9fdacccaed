// Keyframed position, rotation and scale tracks of meshes in a hierarchy.
#include "scene/animation_mesh.h"

#include <cstdio>

void AnimationMesh::SetParent(AnimationMesh* parent) {
  for (AnimationMesh* up = parent; up; up = up->parent_) {
    if (up == this) {
      std::printf("'%s' cannot be placed under '%s': it would be its own ancestor\n", Name().c_str(),
                  parent->Name().c_str());
      return;
    }
  }
  parent_ = parent;
  if (parent) parent->AppendChild(this);
}

void AnimationMesh::Reset() {
  PathLocation::Reset();
  if (scale_path_.KeyCount() > 0) scale_path_.Rewind();
  for (AnimationMesh* child : children_) child->Reset();
  Update();
}

void AnimationMesh::Update() {
  PathLocation::Update();
  if (scale_path_.KeyCount() > 0) scale_ = scale_path_.Update();
  for (AnimationMesh* child : children_) child->Update();
}
