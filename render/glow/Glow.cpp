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
}  // namespace

bool CreateRenderTexturesFor(const char* extensions) {
  if (renderTextures.ready) DeleteGlowTextures(renderTextures);
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
  if (!renderTextures.ready) return;
  provedShortcuts = ProveGlowShortcuts(cases, reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS)));
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
