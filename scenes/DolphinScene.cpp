// Scene: three environment-mapped dolphins between a scrolling floor and ceiling.
#include "scenes/DolphinScene.h"

#include <cmath>

#include "assets/Path.h"
#include "director/DemoState.h"
#include "platform/Gl.h"
#include "scenes/Scenes.h"
#include "scenes/TiledQuad.h"

namespace {
constexpr int kDolphinPlaneTiles = 16;  // 2.5-unit tiles, so the fog fades across the plane

// The floor or ceiling: 40 x 40 units, the texture twice across, scrolling toward +x with t.
void DrawScrollingPlane(float y, float t) {
  const QuadCorner corners[4] = {
      {t + 2, 2, -20, y, -20}, {t, 2, 20, y, -20}, {t, 0, 20, y, 20}, {t + 2, 0, -20, y, 20}};
  DrawTiledQuad(corners, kDolphinPlaneTiles);
}
}  // namespace

DolphinPathOffsets DolphinPathsAt(float t) {
  const PathKey leave[] = {{0, 0, 0, 0}, {0, 0, 40, 1000}};
  const PathKey dart[] = {{0, 0, 0, 0}, {0, 0, -8, 450}, {0, 0, -9, 550}, {0, 0, 50, 750}};
  const PathKey entry[] = {{0, 0, -20, 0}, {0, 0, 0, 500}};
  DolphinPathOffsets offsets;
  offsets.entry = PathZ(entry, 2, (t - 61) * 100);
  offsets.dart = PathZ(dart, 4, (t - 96.5f) * 100);
  offsets.leaveSecond = PathZ(leave, 2, (t - 94.5f) * 100);
  offsets.leaveThird = PathZ(leave, 2, (t - 92.5f) * 100);
  return offsets;
}

DolphinPose DolphinPoseAt(int dolphin, float t) {
  const DolphinPathOffsets p = DolphinPathsAt(t);
  const double s = t;
  switch (dolphin) {
    case 0:
      return {{-p.dart - p.entry, static_cast<float>(-std::sin(5 * s) / 3), 0},
              static_cast<float>(1.75 * std::sin(5 * s)), 0.08f};
    case 1:
      return {{13 - p.leaveSecond - p.entry, static_cast<float>(-std::cos(5.5 * s + 3) / 3), 6},
              static_cast<float>(1.75 * std::sin(5 * s + 3)), 0.07f};
    default:
      return {{13 - p.leaveThird - p.entry, static_cast<float>(-std::cos(4.8 * s + 1) / 3), -6},
              static_cast<float>(1.75 * std::sin(5 * s + 1)), 0.07f};
  }
}

float DolphinCameraYaw(float t) { return static_cast<float>(35 * std::sin(0.2 * t) + 90); }

void DrawDolphinScene() {
  const float t = DemoClock;
  // Fog range is whatever was last set: the start-up range in ordinary playback.
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_FOG);
  glLoadIdentity();
  glTranslatef(0, 0, -10);
  glRotatef(DolphinCameraYaw(t), 0, 1, 0);

  for (int dolphin = 0; dolphin < kDolphinCount; ++dolphin) {
    const DolphinPose pose = DolphinPoseAt(dolphin, t);
    glPushMatrix();
    glTranslatef(pose.position.x, pose.position.y, pose.position.z);
    glRotatef(pose.rollDegrees, 0, 0, 1);
    glScalef(pose.scale, pose.scale, pose.scale);
    glBindTexture(GL_TEXTURE_2D, Texture(TextureSlot::metal));
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    DrawModel(models.dolphin);
    glPopMatrix();
  }
  glDisable(GL_TEXTURE_GEN_S);
  glDisable(GL_TEXTURE_GEN_T);

  glPushMatrix();
  glBindTexture(GL_TEXTURE_2D, Texture(TextureSlot::check2));
  DrawScrollingPlane(kDolphinFloorY, t);
  DrawScrollingPlane(kDolphinCeilingY, t);
  glPopMatrix();
  glDisable(GL_FOG);
}
