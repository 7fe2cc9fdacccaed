// Testing boxes against the view volume, scissor box and clip plane of the current GL state.
#include "scene/view_volume.h"

namespace {

// m times (x, y, z, w), m in OpenGL's column order.
void Transform(const GLdouble m[16], const GLdouble in[4], GLdouble out[4]) {
  for (int row = 0; row < 4; ++row)
    out[row] = m[row] * in[0] + m[4 + row] * in[1] + m[8 + row] * in[2] + m[12 + row] * in[3];
}

// A device coordinate of a window position along an axis of the viewport.
double Device(GLint position, GLint origin, GLint size) { return 2.0 * (position - origin) / size - 1.0; }

}  // namespace

ViewVolume ViewVolume::Current() {
  ViewVolume volume;
  glGetDoublev(GL_MODELVIEW_MATRIX, volume.model_view_);
  glGetDoublev(GL_PROJECTION_MATRIX, volume.projection_);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  volume.left_ = volume.bottom_ = -1.0;
  volume.right_ = volume.top_ = 1.0;
  if (glIsEnabled(GL_SCISSOR_TEST) && viewport[2] > 0 && viewport[3] > 0) {
    GLint box[4];
    glGetIntegerv(GL_SCISSOR_BOX, box);
    volume.left_ = Device(box[0], viewport[0], viewport[2]);
    volume.right_ = Device(box[0] + box[2], viewport[0], viewport[2]);
    volume.bottom_ = Device(box[1], viewport[1], viewport[3]);
    volume.top_ = Device(box[1] + box[3], viewport[1], viewport[3]);
  }
  volume.clipped_ = glIsEnabled(GL_CLIP_PLANE0);
  if (volume.clipped_) glGetClipPlane(GL_CLIP_PLANE0, volume.plane_);
  return volume;
}

bool ViewVolume::MayShow(const WorldBox& box) const {
  if (box.Empty()) return false;
  // The box is hidden when all eight corners lie beyond one bounding plane;
  // each plane is linear in the homogeneous coordinates, so this also holds
  // for corners behind the eye.
  enum { kLeft, kRight, kBottom, kTop, kNear, kFar, kClip, kPlanes };
  int beyond[kPlanes] = {};
  for (int corner = 0; corner < 8; ++corner) {
    const GLdouble object[4] = {(corner & 1 ? box.upper : box.lower)[0], (corner & 2 ? box.upper : box.lower)[1],
                                (corner & 4 ? box.upper : box.lower)[2], 1.0};
    GLdouble eye[4], clip[4];
    Transform(model_view_, object, eye);
    Transform(projection_, eye, clip);
    const double w = clip[3];
    beyond[kLeft] += clip[0] < left_ * w;
    beyond[kRight] += clip[0] > right_ * w;
    beyond[kBottom] += clip[1] < bottom_ * w;
    beyond[kTop] += clip[1] > top_ * w;
    beyond[kNear] += clip[2] < -w;
    beyond[kFar] += clip[2] > w;
    beyond[kClip] += clipped_ && plane_[0] * eye[0] + plane_[1] * eye[1] + plane_[2] * eye[2] + plane_[3] * eye[3] < 0.0;
  }
  for (int count : beyond)
    if (count == 8) return false;
  return true;
}
