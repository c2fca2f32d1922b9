#include "render/glow/GlowPasses.h"

#include "render/glow/PlainPasses.h"
#include "render/glow/SummedPasses.h"

void LeaveFrameState(int width, int height) {
  glEnable(GL_DEPTH_TEST);
  glDisable(GL_BLEND);
  glViewport(0, 0, width, height);
}

void DrawGlowPasses(GlowTextures& textures, const GlowPlan& plan) {
  const GlowShortcuts& shortcuts = plan.shortcuts;
  const bool scissored = glIsEnabled(GL_SCISSOR_TEST);
  glDisable(GL_SCISSOR_TEST);
  glEnable(GL_TEXTURE_RECTANGLE_ARB);
  glColor3f(1, 1, 1);
  glDisable(GL_DEPTH_TEST);
  glBindTexture(GL_TEXTURE_RECTANGLE_ARB, textures.frame);
  if (!plan.frameKept) CopyFramebuffer(textures.width, textures.height);

  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0, 1, 1, 0, 0.1, 100);
  glViewport(0, 0, textures.HalfWidth(), textures.HalfHeight());

  if (shortcuts.targets) DrawIntoSpareHalf(textures);
  if (!shortcuts.sums || !SummedShrinkAndBlur(textures, plan)) ShrinkAndBlur(textures, plan);
  if (shortcuts.targets) DrawIntoOutside();

  // The blurred image replaces the frame once and is added for every further layer; the sharp
  // frame goes back on top.
  glViewport(0, 0, textures.width, textures.height);
  if (scissored) glEnable(GL_SCISSOR_TEST);
  const bool summedLayers = shortcuts.sums || shortcuts.foggedLayers;
  if (summedLayers) SetFiltering(textures.frame, GL_NEAREST);
  if (!summedLayers || !SummedLayers(textures, plan)) PlainLayers(textures, plan);
  if (summedLayers) {
    SetFiltering(textures.frame, GL_LINEAR);
    glTexCoord2i(textures.width, 0);  // the sharp frame quad's last corner, as the passes leave it
  }

  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
  glDisable(GL_TEXTURE_RECTANGLE_ARB);
  LeaveFrameState(textures.width, textures.height);
}
