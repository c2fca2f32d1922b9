#include "render/glow/GlowPlan.h"

#include <cmath>

namespace {
int LayerCount(float c) {
  int layers = 1;
  for (int k = 1; k < c; ++k) ++layers;
  return layers;
}
}  // namespace

bool CanSumTaps(const GlowTextures& textures, int count) { return count <= textures.textureUnits && count <= kMaxTaps; }

GlowPlan PlanGlow(const GlowSettings& settings, int renderHeight, bool fogged, const GlowShortcuts& proved,
                  const GlowTextures& textures) {
  const float a = settings.radius;
  GlowPlan plan;
  // More taps, each lighter, with the same total weight.
  plan.radius = static_cast<int>(std::lround(static_cast<int>(a) * renderHeight / 600.0));
  plan.powerPasses = static_cast<int>(settings.powerPasses);
  plan.weight = settings.gain / (2 * a + 1);
  if (plan.radius != static_cast<int>(a))
    plan.weight *= (2.0f * static_cast<int>(a) + 1) / (2.0f * plan.radius + 1);
  plan.layers = LayerCount(settings.layers);
  plan.fogged = fogged;
  if (plan.radius == static_cast<int>(a)) plan.shortcuts = proved;
  // The layers must then be summed as well: the passes as written would need the frame's copy.
  plan.frameKept = plan.shortcuts.targets && plan.shortcuts.sums && !fogged && CanSumTaps(textures, plan.layers);
  return plan;
}
