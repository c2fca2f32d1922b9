// The metaball scene of 161-188.5 s: the metal figure or the metaball surface, inside a tunnel
// of 80 cylinders that turns and slides toward +z at 50 units per second.
#include "metaballs/MetaballScene.h"

#include <cmath>

#include "director/DemoState.h"
#include "metaballs/MetaballField.h"
#include "metaballs/SurfacePolygoniser.h"
#include "platform/Gl.h"
#include "render/RenderSize.h"

namespace {
constexpr int kTunnelCylinders = 80;

void DrawMetalFigure() {
  glPushMatrix();
  glEnable(GL_CULL_FACE);
  glRotatef(-90, 1, 0, 0);
  glRotatef(-180, 0, 0, 1);
  glScalef(0.1f, 0.1f, 0.1f);
  glBindTexture(GL_TEXTURE_2D, Texture(TextureSlot::metal));
  glEnable(GL_TEXTURE_GEN_S);
  glEnable(GL_TEXTURE_GEN_T);
  DrawModel(models.gubbe2);
  glDisable(GL_CULL_FACE);
  glDisable(GL_TEXTURE_GEN_S);
  glDisable(GL_TEXTURE_GEN_T);
  glPopMatrix();
}

void DrawTunnel(float t) {
  glBindTexture(GL_TEXTURE_2D, Texture(TextureSlot::pcb));
  for (int k = 0; k < kTunnelCylinders; ++k) {
    glPushMatrix();
    glTranslatef(0, 0, 50 * (t - 160) - 55.0f * k);
    glRotatef(10.0f * k, 0, 0, 1);
    gluCylinder(sharedQuadric, 11, 11, 40, 16, 16);
    glPopMatrix();
  }
}
}  // namespace

void DrawMetaballScene(int variant) {
  const float t = DemoClock;
  glLoadIdentity();
  glDisable(GL_FOG);
  if (variant == 0) {
    gluLookAt(10 * std::sin(t + 2.0), 3, 10 * std::cos(t + 2.0), 0, 0, 0, 0, 1, 0);
  } else if (variant == 1) {
    gluLookAt(9 * std::cos(double(t)), 6 * std::sin(0.25 * t), 9 * std::sin(double(t)), 0, 0, 0, 0, 1, 0);
  }
  glEnable(GL_TEXTURE_2D);
  if (variant == 0) {
    DrawMetalFigure();
  } else if (variant == 1) {
    DrawMetaballSurface();
  }
  DrawTunnel(t);
  glCullFace(GL_BACK);
}

void DrawMetaballSurface() {
  const float t = DemoClock;
  UpdateBallPositions(t);
  ExtractSurface();

  glPushMatrix();
  glEnable(GL_TEXTURE_2D);
  glColor3f(1, 1, 1);
  glScalef(0.5f, 0.5f, 0.5f);
  glBindTexture(GL_TEXTURE_2D, Texture(TextureSlot::pcb3));
  glEnable(GL_TEXTURE_GEN_S);
  glEnable(GL_TEXTURE_GEN_T);
  glRotatef(100 * t, 0, 1, 0);
  glRotatef(-120 * t, 0, 0, 1);
  glRotatef(50 * t, 1, 0, 0);
  glPointSize(ScreenPixels(4));

  // The normals are a periodic function of position, not the field gradient: with lighting off
  // they only steer the sphere map, which bands the reflection across the surface.
  glBegin(GL_TRIANGLES);
  const GridPoint* vertex = surfacePolygoniser.vertices;
  for (int32_t i = 0; i < surfacePolygoniser.vertexCount; ++i, ++vertex) {
    glNormal3f(std::sin(0.1f * vertex->x), std::sin(0.1f * vertex->y), std::sin(0.1f * vertex->z));
    glVertex3f(0.1f * vertex->x, 0.1f * vertex->y, 0.1f * vertex->z);
  }
  glEnd();

  glDisable(GL_TEXTURE_GEN_S);
  glDisable(GL_TEXTURE_GEN_T);
  glPopMatrix();
}
