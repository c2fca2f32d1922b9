#include "render/glow/PlainPasses.h"

#include "render/glow/RectQuad.h"

namespace {
// One blur direction: the unshifted tap replaces, the shifted taps add, each weighted by the
// current colour's alpha.
void BlurPass(const GlowTextures& textures, int radius, int du, int dv) {
  glBlendFunc(GL_SRC_ALPHA, GL_ZERO);
  glBegin(GL_QUADS);
  DrawHalfShifted(textures, 0, 0);
  glEnd();
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glBegin(GL_QUADS);
  for (int i = 1; i <= radius; ++i) {
    DrawHalfShifted(textures, -i * du, -i * dv);
    DrawHalfShifted(textures, i * du, i * dv);
  }
  glEnd();
}
}  // namespace

void ShrinkWithPowers(GlowTextures& textures, const GlowPlan& plan) {
  const bool intoTargets = plan.shortcuts.targets;
  if (plan.frameKept) {
    ShrinkByBlit(textures);
    if (plan.powerPasses == 0) return;
    glDisable(GL_BLEND);
    DrawFull(textures.HalfWidth(), textures.HalfHeight());
    glBlendFunc(GL_DST_COLOR, GL_ZERO);
    glEnable(GL_BLEND);
    glBegin(GL_QUADS);
    for (int i = 0; i < plan.powerPasses; ++i) DrawHalfShifted(textures, 0, 0);
    glEnd();
    StoreHalf(textures, intoTargets);
    return;
  }
  glBindTexture(GL_TEXTURE_RECTANGLE_ARB, textures.frame);
  glBlendFunc(GL_DST_COLOR, GL_ZERO);
  glDisable(GL_BLEND);
  DrawFull(textures.width, textures.height);
  glEnable(GL_BLEND);
  glBegin(GL_QUADS);
  for (int i = 0; i < plan.powerPasses; ++i) DrawRectQuad(textures.width, textures.height, 0, 0);
  glEnd();
  glBindTexture(GL_TEXTURE_RECTANGLE_ARB, textures.half);
  StoreHalf(textures, intoTargets);
}

void ShrinkAndBlur(GlowTextures& textures, const GlowPlan& plan) {
  ShrinkWithPowers(textures, plan);
  glColor4f(1, 1, 1, plan.weight);
  BlurPass(textures, plan.radius, 1, 0);
  StoreHalf(textures, plan.shortcuts.targets);
  BlurPass(textures, plan.radius, 0, 1);
  StoreHalf(textures, plan.shortcuts.targets);
}

void PlainLayers(const GlowTextures& textures, const GlowPlan& plan) {
  const int halfWidth = textures.HalfWidth(), halfHeight = textures.HalfHeight();
  glBindTexture(GL_TEXTURE_RECTANGLE_ARB, textures.half);
  glDisable(GL_BLEND);
  DrawFull(halfWidth, halfHeight);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE);
  glBegin(GL_QUADS);
  for (int k = 1; k < plan.layers; ++k) DrawRectQuad(halfWidth, halfHeight, 0, 0);
  glEnd();
  glBindTexture(GL_TEXTURE_RECTANGLE_ARB, textures.frame);
  DrawFull(textures.width, textures.height);
}
