// The scene's objects, cameras and lights, its render list and the steps of its frame.
#include "scene/scene.h"

#include <cstdio>
#include <functional>
#include <set>

#include "runtime/log.h"
#include "runtime/present.h"
#include "scene/basic_attributes.h"
#include "scene/window_space.h"

namespace {

using vec3 = vec<float, 3>;

constexpr float kDefaultFieldOfView = 45.0f;
constexpr float kDefaultAspect = 1.3333334f;

// At the origin, looking along (0, 0, -1) with (0, 1, 0) up.
PathLocation GroupLocation() { return PathLocation(vec3(0.0f), vec3(0.0f, 0.0f, -1.0f), vec3(0.0f, 1.0f, 0.0f)); }

}  // namespace

Scene::Scene() {
  PathLocation at_origin(vec3(0.0f), vec3(0.0f, 1.0f, 0.0f), vec3(0.0f, 0.0f, 1.0f));
  auto* camera = new Camera<GLMesh>(at_origin, kDefaultFieldOfView, kDefaultAspect);
  camera->PushVisibility(0);
  AddCamera(camera);
  SetCamera(0);
}

Scene::~Scene() {
  std::set<GLMesh*> deleted;
  for (GLMesh* object : CollectObjects())
    if (deleted.insert(object).second) delete object;
  delete group_;
}

void Scene::AddLight(Light* light) {
  light->AddAttribute(new Texture());
  lights_.push_back(light);
  objects_.push_back(light);
}

int Scene::AddCamera(Camera<GLMesh>* camera) {
  camera->AddAttribute(new Texture());
  cameras_.push_back(camera);
  objects_.push_back(camera);
  return static_cast<int>(cameras_.size()) - 1;
}

void Scene::AddObject(GLMesh* object) { objects_.push_back(object); }

void Scene::SetCamera(int index) {
  if (index < 0 || index >= static_cast<int>(cameras_.size())) return;
  if (active_camera_) active_camera_->PopVisibility();
  active_camera_ = cameras_[index];
  active_camera_->PushVisibility(0);
  viewpoint_ = active_camera_;
}

GLMesh* Scene::FindObject(const std::string& name) const {
  for (GLMesh* object : CollectObjects())
    if (object->Name() == name) return object;
  return nullptr;
}

std::vector<GLMesh*> Scene::CollectObjects() const {
  std::vector<GLMesh*> all;
  std::function<void(GLMesh*)> collect = [&](GLMesh* object) {
    all.push_back(object);
    for (size_t i = 0; i < object->Children().size(); ++i) collect(object->Child(i));
  };
  for (GLMesh* object : objects_) collect(object);
  return all;
}

DrawContext& ContextOf(Scene& scene) { return scene.context_; }

void Scene::PushBackground(TextureRef* texture) {
  backgrounds_.push_back(texture);
  background_ = true;
}

void Scene::PopBackground() {
  if (!backgrounds_.empty()) backgrounds_.pop_back();
  if (backgrounds_.empty()) background_ = false;
}

void Scene::Clear(bool use_background) {
  glDisable(GL_LIGHTING);
  if (!background_ || !use_background) {
    glClear(GL_COLOR_BUFFER_BIT);
  } else {
    DrawBackground();
  }
  glClear(GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
}

void Scene::DrawBackground() {
  glDisable(GL_DEPTH_TEST);
  glEnable(GL_TEXTURE_2D);
  DrawBackgroundPicture(0.5f);
  glDisable(GL_TEXTURE_2D);
  glEnable(GL_DEPTH_TEST);
}

void Scene::DrawBackgroundPicture(float depth) {
  // The picture as painted, whatever colour the drawing before left current
  // (the black fade at the end of a picture, before the next part).
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  PushWindowMatrices();
  glBindTexture(GL_TEXTURE_2D, backgrounds_.back()->id);
  DrawWindowPicture(depth);
  PopWindowMatrices();
}

void Scene::ClearForLateBackground() {
  glDisable(GL_LIGHTING);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
  if (!background_) return;
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glBindTexture(GL_TEXTURE_2D, backgrounds_.back()->id);
}

void Scene::DrawBackgroundWhereOpen() {
  glPushAttrib(GL_ENABLE_BIT | GL_DEPTH_BUFFER_BIT | GL_CURRENT_BIT | GL_TEXTURE_BIT);
  glDisable(GL_LIGHTING);
  glDepthFunc(GL_LEQUAL);
  glDepthMask(GL_FALSE);
  glEnable(GL_TEXTURE_2D);
  DrawBackgroundPicture(1.0f);
  glPopAttrib();
}

void Scene::RenderSceneOverBackground() {
  FrameLog("RenderScene 1\n");
  EnableLights();
  FrameLog("RenderScene 2\n");
  bool pending = background_;
  for (GLMesh* entry : render_list_) {
    if (pending && entry->IsOverlay()) {
      DrawBackgroundWhereOpen();
      pending = false;
    }
    entry->Render(*this);
  }
  if (pending) DrawBackgroundWhereOpen();
  FrameLog("RenderScene 3\n");
}

void Scene::BuildRenderList(bool compile_static) {
  render_list_.clear();
  group_bounds_.clear();
  delete group_;
  group_ = new GLMesh(GroupLocation());
  group_->SetName(kDummyName);
  render_list_.push_back(group_);
  for (GLMesh* object : objects_) {
    if (object->VisibilityTop() != 1) continue;
    if (!compile_static || !object->IsDynamic()) {
      group_->AppendChild(object);
    } else {
      render_list_.push_back(object);
    }
  }
  if (!compile_static) return;
  // Each static object gets a list of its own, which the group's list calls:
  // the group draws them all in one call, RenderSceneIn one by one.
  glPushMatrix();
  glLoadIdentity();
  group_->ApplyLocation();
  for (size_t i = 0; i < group_->Children().size(); ++i) {
    GLMesh* object = group_->Child(i);
    object->CompileOwnList();
    group_bounds_.emplace_back();
    object->WidenBounds(&group_bounds_.back());
  }
  glPopMatrix();
  group_->UseDisplayList();
}

void Scene::UpdateObjects() {
  for (GLMesh* entry : render_list_) entry->Update(*this);
}

void Scene::AdvanceObjects() {
  for (size_t i = 1; i < render_list_.size(); ++i) render_list_[i]->Update();
}

void Scene::BeginCamera() {
  glPushMatrix();
  glLoadIdentity();
  ApplyScale();
  if (!active_camera_) return;
  active_camera_->ApplyProjection();
  active_camera_->ApplyView();
}

void Scene::EndCamera() { glPopMatrix(); }

void Scene::EnableLights() {
  for (Light* light : lights_) {
    light->Enable();
    light->SetPosition();
  }
}

void Scene::RenderScene() {
  FrameLog("RenderScene 1\n");
  EnableLights();
  FrameLog("RenderScene 2\n");
  for (GLMesh* entry : render_list_) entry->Render(*this);
  FrameLog("RenderScene 3\n");
}

void Scene::RenderSceneIn(const ViewVolume& volume) {
  if (!group_ || !group_->UsesDisplayList()) {
    RenderScene();
    return;
  }
  FrameLog("RenderScene 1\n");
  EnableLights();
  FrameLog("RenderScene 2\n");
  FrameLog("render: %s\n", group_->Name().c_str());
  glPushMatrix();
  group_->ApplyLocation();
  for (size_t i = 0; i < group_bounds_.size(); ++i)
    if (volume.MayShow(group_bounds_[i])) group_->Child(i)->CallOwnList();
  glPopMatrix();
  for (size_t i = 1; i < render_list_.size(); ++i) render_list_[i]->Render(*this);
  FrameLog("RenderScene 3\n");
}

void Scene::RenderSceneWith(const AttributeList* attributes) {
  for (Light* light : lights_) {
    FrameLog("Light:\n");
    light->Enable();
    light->SetPosition();
  }
  for (GLMesh* entry : render_list_) {
    if (attributes) {
      entry->RenderWith(*this, *attributes);
    } else {
      entry->Render(*this);
    }
  }
}

void Scene::Swap() { PresentFrame(); }
