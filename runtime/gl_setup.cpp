// Putting OpenGL into the state every part of the show starts from.
#include "runtime/gl_setup.h"

#include <GL/glu.h>

#include "runtime/extensions.h"

void SetupOpenGL(const PictureArea& picture) {
  glViewport(picture.x, picture.y, picture.width, picture.height);

  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glClearDepth(1.0);
  glDepthFunc(GL_LESS);
  glEnable(GL_DEPTH_TEST);

  glDisable(GL_TEXTURE_2D);
  glShadeModel(GL_SMOOTH);

  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glHint(GL_POLYGON_SMOOTH_HINT, GL_NICEST);

  glClearStencil(0);
  glEnable(GL_CULL_FACE);
  glCullFace(GL_BACK);

  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, static_cast<double>(picture.width) / static_cast<double>(picture.height), 0.01, 10000.0);
  glMatrixMode(GL_MODELVIEW);

  SetupExtensions();

  glEnable(GL_NORMALIZE);
  glPointSize(picture.Scale());
  glLineWidth(picture.Scale());

  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
  glDisableClientState(GL_NORMAL_ARRAY);
  glDisableClientState(GL_COLOR_ARRAY);

  glDisable(GL_LIGHT0);
  glDisable(GL_LIGHT1);

  if (gExt.glActiveTextureARB) {
    gExt.glActiveTextureARB(GL_TEXTURE1_ARB);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glDisable(GL_TEXTURE_GEN_R);
    glDisable(GL_TEXTURE_GEN_Q);
    gExt.glActiveTextureARB(GL_TEXTURE0_ARB);
  }
}
