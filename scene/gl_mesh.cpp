// Drawing a mesh with its attributes from vertex arrays or its display list, and its world matrix.
#include "scene/gl_mesh.h"

#include <algorithm>
#include <cstdio>

#include "runtime/gl_check.h"
#include "runtime/log.h"
#include "scene/draw_context.h"

const char kDummyName[] = "$$$DUMMY-LADATTU";

GLMesh::GLMesh(const PathLocation& location) : AnimationMesh(location), display_list_(glGenLists(1)) {}

GLMesh::~GLMesh() {
  for (Attribute* attribute : attributes_) delete attribute;
  if (display_list_) glDeleteLists(display_list_, 1);
}

void GLMesh::Update(Scene& scene) {
  if (!IsVisible()) return;
  for (Attribute* attribute : attributes_) {
    attribute->Update(scene, *this);
    CheckGLError(Name(), "attribute update");
  }
}

void GLMesh::Render(Scene& scene) {
  if (!IsVisible()) return;
  FrameLog("render: %s\n", Name().c_str());
  if (use_display_list_) {
    glCallList(display_list_);
    CheckGLError(Name(), "display list");
    return;
  }
  glPushMatrix();
  ApplyLocation();
  for (size_t i = 0; i < Children().size(); ++i) Child(i)->Render(scene);
  ApplyPivotAndFrame();
  if (!IsDummy()) {
    DrawArrays(scene, attributes_, true);
    ContextOf(scene).triangles += static_cast<uint32_t>(Triangles().size());
  }
  glPopMatrix();
}

void GLMesh::RenderWith(Scene& scene, const AttributeList& attributes) {
  if (!IsVisible()) return;
  glPushMatrix();
  ApplyLocation();
  for (size_t i = 0; i < Children().size(); ++i) Child(i)->RenderWith(scene, attributes);
  ApplyPivotAndFrame();
  if (!IsDummy()) DrawArrays(scene, attributes, false);
  glPopMatrix();
}

void GLMesh::DrawArrays(Scene& scene, const AttributeList& attributes, bool log) {
  for (Attribute* attribute : attributes) {
    attribute->Prepare(scene, *this);
    CheckGLError(Name(), "attribute set-up");
  }
  for (Attribute* attribute : attributes) {
    attribute->BeginArrays(scene, *this);
    CheckGLError(Name(), "attribute array set-up");
  }
  if (log) {
    FrameLog("render:  %zu %zu %zu\n", VertexArray().size(), Triangles().size(), attributes.size());
  }
  glVertexPointer(3, GL_FLOAT, 0, VertexArray().data());
  glEnableClientState(GL_VERTEX_ARRAY);
  glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(3 * Triangles().size()), GL_UNSIGNED_INT, Triangles().data());
  CheckGLError(Name(), "draw");
  for (Attribute* attribute : attributes) {
    attribute->EndArrays(scene, *this);
    CheckGLError(Name(), "attribute array tear-down");
  }
  for (Attribute* attribute : attributes) {
    attribute->Finish(scene, *this);
    CheckGLError(Name(), "attribute tear-down");
  }
}

void GLMesh::AddAttribute(Attribute* attribute) { attributes_.push_back(attribute); }

void GLMesh::RemoveAttributes(int32_t kind) {
  attributes_.erase(std::remove_if(attributes_.begin(), attributes_.end(),
                                   [kind](const Attribute* attribute) { return attribute->kind == kind; }),
                    attributes_.end());
}

void GLMesh::PopVisibility() {
  if (visibility_.size() > 1) visibility_.pop_back();
}

void GLMesh::UseDisplayList() {
  use_display_list_ = true;
  MakeList();
}

void GLMesh::MakeList() {
  std::printf("%s - MakeList\n", Name().c_str());
  glNewList(display_list_, GL_COMPILE);
  EmitBody();
  glEndList();
  CheckGLError(Name(), "display list compile");
  std::printf("%s - MakeList End\n", Name().c_str());
}

void GLMesh::CompileOwnList() {
  glNewList(display_list_, GL_COMPILE);
  EmitBody();
  glEndList();
  CheckGLError(Name(), "display list compile");
  own_list_ = true;
}

void GLMesh::EmitBody() {
  glPushMatrix();
  ApplyLocation();
  for (size_t i = 0; i < Children().size(); ++i) {
    if (Child(i)->own_list_) {
      Child(i)->CallOwnList();
    } else {
      Child(i)->EmitBody();
    }
  }
  if (!IsDummy()) {
    ApplyPivotAndFrame();
    for (Attribute* attribute : attributes_) attribute->BeginImmediate(*this);
    glBegin(GL_TRIANGLES);
    for (const Simplex& triangle : Triangles()) {
      for (uint32_t index : triangle) {
        for (Attribute* attribute : attributes_) attribute->Vertex(*this, index);
        glVertex3fv(VertexArray()[index].v);
      }
    }
    glEnd();
    for (Attribute* attribute : attributes_) attribute->EndImmediate(*this);
  }
  glPopMatrix();
}

bool GLMesh::IsDynamic() const {
  if (!cacheable_) return true;
  for (const Attribute* attribute : attributes_)
    if (attribute->dynamic) return true;
  if (ScalePath().KeyCount() > 1 || PositionPath().KeyCount() > 1 || RotationPath().KeyCount() > 1) return true;
  for (size_t i = 0; i < Children().size(); ++i)
    if (Child(i)->IsDynamic()) return true;
  return false;
}

bool GLMesh::IsOverlay() const {
  for (const Attribute* attribute : attributes_)
    if (attribute->order != 0) return true;
  for (size_t i = 0; i < Children().size(); ++i)
    if (Child(i)->IsOverlay()) return true;
  return false;
}

std::vector<GLMesh*> GLMesh::Ancestors() {
  std::vector<GLMesh*> chain;
  for (GLMesh* node = Parent(); node; node = node->Parent()) chain.push_back(node);
  std::reverse(chain.begin(), chain.end());
  return chain;
}

void GLMesh::ComputeWorldMatrix(Scene& scene) {
  glPushMatrix();
  glLoadIdentity();
  ContextOf(scene).ApplyScale();
  for (GLMesh* node : Ancestors()) node->ApplyLocation();
  ApplyLocation();
  ApplyPivotAndFrame();
  float m[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) world_(i, j) = m[4 * j + i];
  glPopMatrix();
}

vec<float, 3> GLMesh::WorldVertex(uint32_t index) const {
  if (index >= VertexArray().size()) return vec<float, 3>(0.0f);
  const vec<float, 3>& p = VertexArray()[index];
  vec<float, 3> world;
  for (int r = 0; r < 3; ++r) world[r] = world_(r, 0) * p[0] + world_(r, 1) * p[1] + world_(r, 2) * p[2] + world_(r, 3);
  return world;
}

void GLMesh::WidenBounds(WorldBox* box) const {
  glPushMatrix();
  ApplyLocation();
  for (size_t i = 0; i < Children().size(); ++i) Child(i)->WidenBounds(box);
  if (!IsDummy()) {
    ApplyPivotAndFrame();
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    for (const vec<float, 3>& p : VertexArray()) {
      vec<float, 3> q;
      for (int r = 0; r < 3; ++r) q[r] = m[r] * p[0] + m[4 + r] * p[1] + m[8 + r] * p[2] + m[12 + r];
      box->Widen(q);
    }
  }
  glPopMatrix();
}

void GLMesh::RenderInContext(Scene& scene) {
  if (!IsVisible()) return;
  glPushMatrix();
  for (GLMesh* node : Ancestors()) node->ApplyLocation();
  Render(scene);
  glPopMatrix();
}

void GLMesh::ApplyLocation() const {
  Apply();
  glScalef(Scale()[0], Scale()[1], Scale()[2]);
}

void GLMesh::ApplyPivotAndFrame() const {
  glTranslatef(-Pivot()[0], -Pivot()[1], -Pivot()[2]);
  glMultMatrixf(FrameArray());
}
