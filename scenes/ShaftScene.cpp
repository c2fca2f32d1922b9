// Scene: an environment-mapped model floating in a tall square shaft whose striped walls scroll.
#include "scenes/ShaftScene.h"

#include <cmath>

#include "director/DemoState.h"
#include "platform/Gl.h"
#include "scenes/Scenes.h"
#include "scenes/TiledQuad.h"

namespace {
// The wall texture repeats this many times over the shaft's height of 100 units.
constexpr float kWallRepeats = 5;
// Each wall is sent as a grid of 12.5 x 2.5-unit tiles: fog is computed per vertex on common
// drivers, and a wall reaching behind the eye would otherwise fog evenly instead of by distance.
constexpr int kWallTiles = 8;

struct WallCorner {
  GLfloat s;
  bool upper;  // upper corners take v + kWallRepeats
  GLfloat x, y, z;
};

// Four walls 20 units apart and 100 tall; no top and no bottom.
constexpr WallCorner kWallCorners[4][4] = {
    {{0, false, -10, -50, 10}, {1, false, 10, -50, 10}, {1, true, 10, 50, 10}, {0, true, -10, 50, 10}},
    {{1, false, -10, -50, -10}, {1, true, -10, 50, -10}, {0, true, 10, 50, -10}, {0, false, 10, -50, -10}},
    {{1, false, 10, -50, -10}, {1, true, 10, 50, -10}, {0, true, 10, 50, 10}, {0, false, 10, -50, 10}},
    {{0, false, -10, -50, -10}, {1, false, -10, -50, 10}, {1, true, -10, 50, 10}, {0, true, -10, 50, -10}},
};

void DrawShaftWalls(float scroll) {
  const float upperScroll = scroll + kWallRepeats;
  for (const auto& wall : kWallCorners) {
    QuadCorner corners[4];
    for (int k = 0; k < 4; ++k) {
      const WallCorner& c = wall[k];
      corners[k] = {c.s, c.upper ? upperScroll : scroll, c.x, c.y, c.z};
    }
    DrawTiledQuad(corners, kWallTiles);
  }
}
}  // namespace

Point3 ShaftEye(float t) {
  return {static_cast<float>(10 * std::sin(0.5 * t)), static_cast<float>(20 * std::cos(0.25 * t)),
          static_cast<float>(10 * std::cos(0.5 * t))};
}

float ShaftWallScroll(float t) { return 4 * t; }

void DrawShaftScene() {
  const float t = DemoClock;
  glLoadIdentity();
  glEnable(GL_FOG);
  glFogf(GL_FOG_START, 0);
  glFogf(GL_FOG_END, 50);
  const Point3 eye = ShaftEye(t);
  gluLookAt(eye.x, eye.y, eye.z, 0, 0, 0, 0, 1, 0);

  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, Texture(TextureSlot::stripes3));
  DrawShaftWalls(ShaftWallScroll(t));

  glPushMatrix();
  glEnable(GL_TEXTURE_GEN_S);
  glEnable(GL_TEXTURE_GEN_T);
  glBindTexture(GL_TEXTURE_2D, Texture(TextureSlot::envifoo));
  DrawModel(models.deformed2);
  glDisable(GL_TEXTURE_GEN_S);
  glDisable(GL_TEXTURE_GEN_T);
  glPopMatrix();

  glDisable(GL_FOG);
}
