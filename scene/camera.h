// Cameras: a projection and a view from an animated location.
#pragma once

#include "scene/gl_mesh.h"

template <typename Mesh>
class Camera : public Mesh {
 public:
  Camera(const PathLocation& location, float field_of_view, float aspect);

  // Rebuilds the projection only when the field of view differs from the
  // one any camera applied last.
  void ApplyProjection();
  // Multiplies the current matrix by the inverse of adjustment x frame,
  // the frame being the location's axes and position.
  void ApplyView();
  // Makes the next ApplyProjection rebuild the projection.
  static void ForgetProjection();

  void Reset() override;
  // Also follows the field-of-view, roll and target paths that have keys.
  void Update() override;
  using Mesh::Update;

  float FieldOfView() const { return field_of_view_; }
  void SetFieldOfView(float degrees) { field_of_view_ = degrees; }
  float Aspect() const { return aspect_; }
  float Roll() const { return roll_; }
  KeyframePath<float, 3>& TargetPath() { return target_path_; }
  KeyframePath<float, 1>& FieldOfViewPath() { return field_of_view_path_; }
  KeyframePath<float, 1>& RollPath() { return roll_path_; }
  mat4& Adjustment() { return adjustment_; }

 private:
  float field_of_view_;
  float aspect_;
  float roll_ = 0.0f;
  KeyframePath<float, 3> target_path_;
  KeyframePath<float, 1> field_of_view_path_;
  KeyframePath<float, 1> roll_path_;
  mat4 adjustment_ = mat4(1.0f);
  // The field of view the projection matrix was last built with; -1 for
  // none. Shared by all cameras, as the projection matrix is shared by
  // everything drawn in the one GL context.
  static float applied_field_of_view_;
};

extern template class Camera<GLMesh>;
