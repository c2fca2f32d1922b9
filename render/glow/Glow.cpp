// The glow filter: the frame is copied to a rectangle texture, shrunk to half size, raised to
// a power to keep the bright parts, box-blurred in two one-dimensional passes and added back.
// Everything stays on the graphics side: framebuffer copies and textured quads.
#include "render/glow/Glow.h"

#include <cstdio>

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
  const GlowShortcuts proved =
      FramePassMode() == PassMode::shortcuts ? ProvedFor(provedShortcuts, settings) : GlowShortcuts{};
  DrawGlowPasses(renderTextures, PlanGlow(settings, renderSize.height, glIsEnabled(GL_FOG), proved, renderTextures));
}
