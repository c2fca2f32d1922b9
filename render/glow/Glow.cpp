// The glow filter: the frame is copied to a rectangle texture, shrunk to half size, raised to
// a power to keep the bright parts, box-blurred in two one-dimensional passes and added back.
// Everything stays on the graphics side: framebuffer copies and textured quads.
#include "render/glow/Glow.h"

#include <cstdio>
#include <limits>

#include "director/DemoState.h"
#include "render/GlExtensions.h"
#include "render/PassMode.h"
#include "render/RenderSize.h"
#include "render/glow/GlowPasses.h"
#include "render/glow/SelfCheck.h"

namespace {
// Both made at start-up and kept for the program's life.
GlowTextures renderTextures;
ProvedShortcuts provedShortcuts;
GlowCheckRun pendingCheck;
bool checkPending = false;
bool firstFrameWaiting = false;  // the first frame after Start runs no step
float glowCoveredUntil = -std::numeric_limits<float>::infinity();

// What the passes as written leave behind that they do not put back: the current colour and
// texture coordinate, the frame's texture bound, the blend function, and the frame's state.
void LeaveStateOfPasses(const GlowTextures& textures, const GlowPlan& plan) {
  glColor4f(1, 1, 1, plan.weight);
  glTexCoord2i(textures.width, 0);  // the sharp frame quad's last corner
  glBindTexture(GL_TEXTURE_RECTANGLE_ARB, textures.frame);
  glBlendFunc(GL_ONE, GL_ONE);
  glMatrixMode(GL_MODELVIEW);
  LeaveFrameState(textures.width, textures.height);
}

// One step, the state it sets outside its own attribute pushes (texture bindings, pixel
// storage) put back; the framebuffer binding its targets put back themselves, and the fragment
// program bound is bound anew by every pass that uses one.
bool RunCheckStep() {
  GLint pack = 4, unpack = 4;
  glGetIntegerv(GL_PACK_ALIGNMENT, &pack);
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &unpack);
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  const bool more = ContinueGlowCheck(pendingCheck, reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS)));
  glPopAttrib();
  glPixelStorei(GL_PACK_ALIGNMENT, pack);
  glPixelStorei(GL_UNPACK_ALIGNMENT, unpack);
  provedShortcuts = pendingCheck.proved;
  return more;
}
}  // namespace

bool CreateRenderTexturesFor(const char* extensions) {
  if (renderTextures.ready) DeleteGlowTextures(renderTextures);
  if (checkPending) DeleteGlowTextures(pendingCheck.textures);
  checkPending = false;
  provedShortcuts = ProvedShortcuts{};
  const bool rectangles = HasGlExtension(extensions, "GL_ARB_texture_rectangle") ||
                          HasGlExtension(extensions, "GL_EXT_texture_rectangle") ||
                          HasGlExtension(extensions, "GL_NV_texture_rectangle");
  if (!rectangles) {
    std::fprintf(stderr, "warning: no GL_ARB_texture_rectangle, the glow filter is off\n");
    return true;
  }
  renderTextures = CreateGlowTextures(renderSize.width, renderSize.height, extensions);
  return true;
}

bool CreateRenderTextures() {
  return CreateRenderTexturesFor(reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS)));
}

void CheckGlowShortcuts(const GlowCheckCases& cases) {
  StartGlowShortcutCheck(cases);
  FinishGlowShortcutCheck();
}

void StartGlowShortcutCheck(const GlowCheckCases& cases) {
  if (checkPending) DeleteGlowTextures(pendingCheck.textures);
  provedShortcuts = ProvedShortcuts{};
  checkPending = renderTextures.ready;
  firstFrameWaiting = checkPending;
  if (checkPending) pendingCheck = BeginGlowCheck(cases);
}

void ContinueGlowShortcutCheckBeforeFrame() {
  if (firstFrameWaiting) {
    firstFrameWaiting = false;
    return;
  }
  if (checkPending) checkPending = RunCheckStep();
}

void FinishGlowShortcutCheck() {
  while (checkPending) checkPending = RunCheckStep();
  firstFrameWaiting = false;
}

GlowShortcutsInUse CheckedGlowShortcuts() {
  const ProvedShortcuts& proved = provedShortcuts;
  GlowShortcutsInUse use{proved.unfogged.sums, 0, 0, 0, proved.unfogged.targets, 0};
  for (int i = 0; i < proved.fogRangeCount; ++i) {
    use.foggedSums += proved.fogged[i].sums;
    use.foggedLayers += proved.fogged[i].foggedLayers;
    use.foggedBlur += proved.fogged[i].foggedBlur;
    use.foggedTargets += proved.fogged[i].targets;
  }
  return use;
}

void DrawGlow(float a, float b, float c, float d) {
  if (!renderTextures.ready) {
    LeaveFrameState(renderSize.width, renderSize.height);
    return;
  }
  const GlowSettings settings{a, b, c, d};
  const bool shortcuts = FramePassMode() == PassMode::shortcuts;
  if (shortcuts && DemoClock <= glowCoveredUntil) {
    LeaveStateOfPasses(renderTextures, PlanGlow(settings, renderSize.height, false, GlowShortcuts{}, renderTextures));
    return;
  }
  const GlowShortcuts proved = shortcuts ? ProvedFor(provedShortcuts, settings) : GlowShortcuts{};
  DrawGlowPasses(renderTextures, PlanGlow(settings, renderSize.height, glIsEnabled(GL_FOG), proved, renderTextures));
}

void SetGlowCoveredUntil(float coveredUntil) { glowCoveredUntil = coveredUntil; }
