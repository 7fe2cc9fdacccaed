// A scene part of the show: one 3DS scene dressed by object name and drawn
// every frame in the shared order. A derived part tells only its story: what
// it dresses, what moves with time, its mirror and its own effects.
#pragma once

#include "runtime/effect.h"
#include "scene/scene.h"

class ScenePart : public Effect {
 public:
  // What sets one scene part apart from the others.
  struct Setup {
    const char* scene_file;
    float keyframes_per_second;  // the path step is dt times this
    float fog_end;
    bool fog_mode_before_enable;  // the order of the two last fog calls
    float trail_opacity;          // kStoredOpacity: the trail's own
  };
  static constexpr float kStoredOpacity = -1.0f;
  ~ScenePart() override;

  // Loads the scene, lets the part dress it, scales it by 0.02, builds the
  // render list with the static objects compiled, finds "Camera01" and makes
  // camera 1 active; then warms up. Always true: a damaged scene draws what
  // could be read.
  bool Load() final;
  // Draws one still frame of the part and clears it away, so that the driver
  // has compiled the drawing of the scene, its display lists, mirror and
  // effects and the trail's blend before the part's first frame. Nothing is
  // presented, animated or captured, no random number is drawn, and the GL
  // state, the fog and the trail are left as they were. Does nothing when
  // the environment variable DEMO_NO_WARM_UP is set (a diagnostic).
  void WarmUp() final;
  // The first time after construction or End: sets the show's fog and
  // restarts the trail, so that the part's first frame only captures.
  void Begin() final;
  void End() final { begun_ = false; }
  // Sets the path step, animates, moves "Camera01" along its path, draws the
  // scene frame, then the trail when it is on, and presents.
  bool Frame(float t) final;

  Scene& GetScene() { return scene_; }
  // The object whose surface reflects the scene; null for none.
  GLMesh* Mirror() const { return mirror_; }

 protected:
  explicit ScenePart(const Setup& setup) : setup_(setup) {}

  // After the scene is read, before the render list is built.
  virtual void Dress(Scene& scene) { (void)scene; }
  // Moves what moves with time, before anything is drawn; `dt` is the time
  // since the previous frame (the first frame's `t` in the first frame).
  virtual void Animate(float t, float dt) {
    (void)t;
    (void)dt;
  }
  // Draws the part's own objects under the camera after the scene, and again
  // in the mirror when there is one: it draws only, it never advances state.
  virtual void DrawEffects() {}

  // The object whose surface reflects the scene, or null for none. The
  // `veil` attributes (owned from now on) draw the surface once more over
  // its reflection, so that a blended veil lets the mirror show its own face.
  void SetMirror(GLMesh* mirror, AttributeList veil = {});
  void SetTrail(bool on) { trail_ = on; }

 private:
  void DrawTrail(bool warm_up);

  const Setup setup_;
  Scene scene_;
  GLMesh* camera_ = nullptr;
  GLMesh* mirror_ = nullptr;
  AttributeList veil_;
  bool trail_ = true;
  bool begun_ = false;
  float previous_t_ = 0.0f;
};
