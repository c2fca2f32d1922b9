// Scene: a rotating striped tube fading into fog, with two thousand bubbles streaming out of it.
#include "scenes/TunnelScene.h"

#include <cmath>

#include "director/DemoState.h"
#include "director/ShowLook.h"
#include "platform/Gl.h"
#include "render/PassMode.h"
#include "render/Sprite.h"
#include "scenes/Scenes.h"

namespace {
constexpr float kTubeRadius = 2;
constexpr float kTubeLength = kTunnelFog.end;  // so the far end fades to black
constexpr int kTubeSlices = 32;
constexpr int kTubeStacks = 32;
constexpr float kTubeTurnDegreesPerSecond = 10;

void DrawTube(float t) {
  glLoadIdentity();
  glTranslatef(0, 0, -kTubeLength);
  glRotatef(kTubeTurnDegreesPerSecond * t, 0, 0, 1);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, Texture(TextureSlot::stripes));
  gluCylinder(sharedQuadric, kTubeRadius, kTubeRadius, kTubeLength, kTubeSlices, kTubeStacks);
}

// Additive and without depth test: black fog makes far bubbles add nothing, and those behind the
// eye are clipped, so the shortcuts skip both (about 19 in 20); every point still sways.
void DrawParticles(float t) {
  glLoadIdentity();
  glTranslatef(0, 0, TunnelParticleOffset(t));
  glBindTexture(GL_TEXTURE_2D, Texture(TextureSlot::bubble));
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glEnable(GL_BLEND);
  glDisable(GL_DEPTH_TEST);
  const AdditiveSpriteCull cull =
      FramePassMode() == PassMode::shortcuts ? CurrentAdditiveSpriteCull() : AdditiveSpriteCull{};
  GLfloat modelview[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
  for (int i = 0; i < kRandomPointCount; ++i) {
    Point3& point = tunnelPoints[i];
    SwayTunnelPoint(point, i, t);
    const float size = TunnelSpriteHalfSize(i);
    const bool skip = SpriteAddsNothing(modelview, point, size, cull);
    if (!skip) DrawSprite(point, size);
    // The caption band that follows is tinted by the texture at the current coordinate.
    if (skip && i == kRandomPointCount - 1) glTexCoord2s(0, 1);  // as the last sprite leaves it
  }
  glEnable(GL_DEPTH_TEST);
  glDisable(GL_BLEND);
}
}  // namespace

float TunnelParticleOffset(float t) { return 3 * (t - 160) - 500; }

float TunnelSpriteHalfSize(int i) { return 0.3f - 0.2f * std::sin(static_cast<float>(i)); }

void SwayTunnelPoint(Point3& point, int i, float t) {
  const float index = static_cast<float>(i);
  point.x += 0.01f * std::sin(index + 0.2f * point.z + t);
  point.y += 0.0025f * std::sin(index + t);
}

void DrawTunnelScene() {
  const float t = DemoClock;
  glEnable(GL_FOG);
  glFogf(GL_FOG_START, kTunnelFog.start);
  glFogf(GL_FOG_END, kTunnelFog.end);
  DrawTube(t);
  DrawParticles(t);
}
