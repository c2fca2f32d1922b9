#include "director/ShowLook.h"

#include <iterator>

#include "director/TimeWindow.h"

const GlowWindow kGlowWindows[] = {
    {116, 130, {3, 0, 3, 1.2f}},
    {156, 161, {2, 1, 2, 0.6f}},
    {209, 300, {3, 0, 3, 1.5f}},
};
const int kGlowWindowCount = static_cast<int>(std::size(kGlowWindows));

GlowSettings GlowForTime(float t) {
  for (const GlowWindow& window : kGlowWindows)
    if (Inside(window.lower, t, window.upper)) return window.settings;
  return kDefaultGlow;
}

namespace {
constexpr int kUnfoggedCount = static_cast<int>(std::size(kGlowWindows)) + 1;

struct ShowCases {
  GlowSettings unfogged[kUnfoggedCount];
  FogRange fogRanges[2];
};

ShowCases Cases() {
  ShowCases cases{{kDefaultGlow}, {kStartupFog, kFinaleFog}};
  for (int i = 0; i < kGlowWindowCount; ++i) cases.unfogged[i + 1] = kGlowWindows[i].settings;
  return cases;
}
const ShowCases showCases = Cases();
}  // namespace

// The tunnel's fog is the start-up range, so two ranges cover the three.
static_assert(kTunnelFog.start == kStartupFog.start && kTunnelFog.end == kStartupFog.end);

GlowCheckCases ShowGlowCheckCases() {
  return {showCases.unfogged, kUnfoggedCount, kFoggedGlow, showCases.fogRanges,
          static_cast<int>(std::size(showCases.fogRanges))};
}
