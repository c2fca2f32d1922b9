// Scene: an environment-mapped spike ball flying out of the fog between a streaming floor and
// ceiling, throbbing with the music.
#include "scenes/SpikeballScene.h"

#include "assets/Path.h"
#include "director/DemoState.h"
#include "platform/Gl.h"
#include "scenes/Scenes.h"
#include "scenes/TiledQuad.h"

namespace {
constexpr int kBandOfBall = 4;
constexpr float kBallScale = 0.3f;
constexpr float kFloorY = -1.5f;
constexpr float kCeilingY = 2;
constexpr float kPlaneHalfSize = 20;
constexpr int kPlaneTiles = 16;  // 2.5-unit tiles

void DrawSpikeball(float t, float depth) {
  glPushMatrix();
  glTranslatef(0, 0, depth);
  glRotatef(30 * t, 0, 1, 0);
  glScalef(kBallScale, kBallScale, kBallScale);
  glBindTexture(GL_TEXTURE_2D, Texture(TextureSlot::envifoo));
  glEnable(GL_TEXTURE_GEN_S);
  glEnable(GL_TEXTURE_GEN_T);
  DrawModel(models.spikeball);
  glPopMatrix();
  glDisable(GL_TEXTURE_GEN_S);
  glDisable(GL_TEXTURE_GEN_T);
}

// Twice the texture across each way, streaming toward the viewer at half a repeat per second.
// Sent as tiles so that the per-vertex fog of common drivers still fades it with distance.
void DrawStreamingPlane(float y, float t) {
  const float far = 0.5f * t + 2;
  const float near = 0.5f * t;
  const float h = kPlaneHalfSize;
  const QuadCorner corners[4] = {{2, far, -h, y, -h}, {0, far, h, y, -h}, {0, near, h, y, h}, {2, near, -h, y, h}};
  DrawTiledQuad(corners, kPlaneTiles);
}
}  // namespace

float SpikeballDepth(float t, float band4) {
  const PathKey approachKeys[6] = {{0, 0, -50, 0},  {0, 0, 5, 500},  {0, 0, 5, 600},
                                   {0, 0, 3, 1100}, {0, 0, 3, 1300}, {0, 0, -60, 1400}};
  float point[3];
  EvalPath(approachKeys, 6, (t - 236) * 100, point);
  return point[2] + band4;
}

void DrawSpikeballScene() {
  const float t = DemoClock;
  const float depth = SpikeballDepth(t, SpectrumBands[kBandOfBall]);
  // Fog range as the scenes before left it: normally 0..25.
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_FOG);
  glLoadIdentity();
  glTranslatef(0, 0, -kSpikeballViewDistance);

  DrawSpikeball(t, depth);

  glPushMatrix();
  glBindTexture(GL_TEXTURE_2D, Texture(TextureSlot::check2));
  DrawStreamingPlane(kFloorY, t);
  DrawStreamingPlane(kCeilingY, t);
  glPopMatrix();

  glDisable(GL_FOG);
}
