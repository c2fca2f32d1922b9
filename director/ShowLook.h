// The show's glow settings by window and the fog ranges its scenes set: one table, which the
// timeline draws with, the scenes fog with and the glow's self-check proves its shortcuts for.
// Change a value here and the self-check follows it.
#pragma once
#include "render/glow/GlowSettings.h"

constexpr FogRange kStartupFog = {0, 25};  // set once at start-up; the totem draws under it
constexpr FogRange kTunnelFog = {0, 25};   // the tube's length, so its far end fades to black
constexpr FogRange kFinaleFog = {0, 80};

// One glow window: drawn with these settings while lower < t < upper.
struct GlowWindow {
  float lower, upper;
  GlowSettings settings;
};
// Tried in order; outside them all the glow is kDefaultGlow.
extern const GlowWindow kGlowWindows[];
extern const int kGlowWindowCount;
constexpr GlowSettings kDefaultGlow = {3, 0, 3, 1};
// The windows whose scenes leave fog on for the glow (totem, tunnel) have the default setting.
constexpr GlowSettings kFoggedGlow = kDefaultGlow;

GlowSettings GlowForTime(float t);
// Every unfogged setting above, and the fogged one under each fog range.
GlowCheckCases ShowGlowCheckCases();
