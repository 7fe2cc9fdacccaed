// The GL-error switch: the first error inside a mesh's draw is reported
// with the mesh's name and the step, once.
#include "runtime/gl_check.h"

#include <memory>
#include <string>

#include "scene/basic_attributes.h"
#include "scene/scene.h"
#include "tests/support/render_fixture.h"

namespace {

// GL_INVALID_ENUM (0x500) in the chosen step; GL_INVALID_VALUE (0x501) in
// the array tear-down after a failed array set-up.
struct Faulty : Attribute {
  enum Step { kUpdate, kArrays, kImmediate } step;
  explicit Faulty(Step s) : Attribute(-1), step(s) {}
  void Fail(Step s) const { if (s == step) glEnable(GL_FLOAT); }
  void Update(Scene&, GLMesh&) override { Fail(kUpdate); }
  void BeginArrays(Scene&, GLMesh&) override { Fail(kArrays); }
  void BeginImmediate(GLMesh&) override { Fail(kImmediate); }
  void EndArrays(Scene&, GLMesh&) override { if (step == kArrays) glLineWidth(-1.0f); }
};

class GLCheckTest : public RenderTest {
 protected:
  void SetUp() override { RenderTest::SetUp(), TearDown(); }
  void TearDown() override {
    SetGLErrorChecks(false);
    while (glGetError() != GL_NO_ERROR) continue;
  }
  GLMesh* Kettle(Faulty::Step step) {
    mesh_.reset(Triangle(10));
    mesh_->SetName("Kettle");
    mesh_->AddAttribute(new Color(1, 0, 0, 1));
    mesh_->AddAttribute(new Faulty(step));
    testing::internal::CaptureStdout();
    return mesh_.get();
  }
  Scene scene_;
  std::unique_ptr<GLMesh> mesh_;
};

TEST_F(GLCheckTest, ReportsOnlyTheFirstErrorOfAnAttributeWithTheMeshName) {
  SetGLErrorChecks(true);
  Kettle(Faulty::kArrays)->Render(scene_);
  mesh_->Render(scene_);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "GL error 0x500 after attribute array set-up of 'Kettle'\n");
  EXPECT_FALSE(GLErrorChecks());
  // Checking stopped at the first error: the tear-down's error is still there.
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_INVALID_VALUE));
  TearDown();
  SetGLErrorChecks(true);
  Kettle(Faulty::kUpdate)->Update(scene_);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "GL error 0x500 after attribute update of 'Kettle'\n");
}

TEST_F(GLCheckTest, AnErrorCompiledIntoTheDisplayListShowsWhenItIsCalled) {
  Kettle(Faulty::kImmediate)->UseDisplayList();
  SetGLErrorChecks(true);
  mesh_->Render(scene_);
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("GL error 0x500 after display list of 'Kettle'\n"), std::string::npos) << out;
}

TEST_F(GLCheckTest, OffByDefaultAndLeavesTheErrorToTheCaller) {
  EXPECT_FALSE(GLErrorChecks());  // the tests run without DEMO_GL_CHECK
  Kettle(Faulty::kArrays)->Render(scene_);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_INVALID_ENUM));
}

}  // namespace
