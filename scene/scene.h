// A scene: its objects, lights and cameras, its textures, and the frame
// operations that draw it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "scene/attribute.h"
#include "scene/camera.h"
#include "scene/draw_context.h"
#include "scene/gl_mesh.h"
#include "scene/light.h"
#include "scene/view_volume.h"
#include "textures/texture_manager.h"

class Scene {
 public:
  // Empty, with the default camera (index 0) at the origin looking along +y
  // with z up, active.
  Scene();
  Scene(const Scene&) = delete;
  Scene& operator=(const Scene&) = delete;
  // Destroys every object of the hierarchy.
  ~Scene();

  // Reads a ".3ds" scene from the archives (defined with the 3DS loader).
  // False when the file is damaged, after loading what could be read; a
  // missing file loads nothing and is no failure. A mesh whose vertices or
  // faces cannot be read ends the program with status 1 after its message.
  bool Load(const char* file_name);

  // Attaches a Texture attribute and files the light.
  void AddLight(Light* light);
  // Attaches a Texture attribute, files the camera and returns its index.
  int AddCamera(Camera<GLMesh>* camera);
  void AddObject(GLMesh* object);
  // Makes the indexed camera active (hidden, its location the viewpoint);
  // an index past the cameras is ignored.
  void SetCamera(int index);
  // The first object, depth first in list order, with exactly that name.
  GLMesh* FindObject(const std::string& name) const;
  // Every object of the hierarchy, each before its children.
  std::vector<GLMesh*> CollectObjects() const;

  void SetScale(float s) { context_.scale = vec<float, 3>(s); }
  const vec<float, 3>& GetScale() const { return context_.scale; }
  // Multiplies the current matrix by the scale.
  void ApplyScale() const { context_.ApplyScale(); }
  void PushBackground(TextureRef* texture);
  void PopBackground();
  bool HasBackground() const { return background_; }

  // The frame: Clear, UpdateObjects, AdvanceObjects, BeginCamera,
  // RenderScene, the part's own drawing, EndCamera, Swap.
  void Clear(bool use_background);
  // The group of the visible top-level objects comes first; with compile,
  // dynamic objects follow it and the group becomes one display list.
  void BuildRenderList(bool compile_static);
  void UpdateObjects();
  // Location updates of every entry but the group.
  void AdvanceObjects();
  void BeginCamera();
  void RenderScene();
  // The frame's Clear(true) and RenderScene with the background picture
  // drawn later: after the render list's leading entries that draw nothing
  // over the frame behind them, only where they left the depth clear. The
  // pixels are those of Clear(true) then RenderScene; those the leading
  // entries cover are not textured twice. The clear leaves the state that
  // drawing the picture would.
  void ClearForLateBackground();
  void RenderSceneOverBackground();
  // RenderScene, with each compiled static object sent only where `volume`
  // may show it, so that the pixels are those of RenderScene. Without a
  // compiled render list it is RenderScene.
  void RenderSceneIn(const ViewVolume& volume);
  // Draws again, with the given attributes in place of the objects' own
  // when there are some.
  void RenderSceneWith(const AttributeList* attributes);
  void EndCamera();
  // Presents the frame through the program's one presentation point.
  void Swap();

  PathLocation* GetViewpoint() const { return viewpoint_; }
  Camera<GLMesh>* ActiveCamera() const { return active_camera_; }
  TextureManager& Textures() { return textures_; }
  const std::vector<Camera<GLMesh>*>& Cameras() const { return cameras_; }
  const std::vector<Light*>& Lights() const { return lights_; }
  const std::vector<GLMesh*>& Objects() const { return objects_; }
  const std::vector<GLMesh*>& RenderList() const { return render_list_; }
  uint32_t& TriangleCounter() { return context_.triangles; }

 private:
  friend DrawContext& ContextOf(Scene& scene);

  void DrawBackground();
  // The background picture over the window at the given depth, in white.
  void DrawBackgroundPicture(float depth);
  // The picture at the far plane where the depth is still clear.
  void DrawBackgroundWhereOpen();
  void EnableLights();

  std::vector<Camera<GLMesh>*> cameras_;
  std::vector<Light*> lights_;
  std::vector<GLMesh*> objects_;
  Camera<GLMesh>* active_camera_ = nullptr;
  PathLocation* viewpoint_ = nullptr;
  TextureManager textures_;
  bool background_ = false;
  std::vector<TextureRef*> backgrounds_;
  DrawContext context_;
  std::vector<GLMesh*> render_list_;
  GLMesh* group_ = nullptr;
  std::vector<WorldBox> group_bounds_;  // each group child's, as the group draws it
};
