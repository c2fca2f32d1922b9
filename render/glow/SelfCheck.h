// The glow's start-up self-check. The shortcuts are exact only where the renderer hands back
// filtered samples cut to 8 bits and rounds as the software renderer does, so each is drawn
// over a small pattern beside the passes as written, for every case the show draws, and kept
// only where the bytes matched.
#pragma once
#include "render/glow/GlowPlan.h"

constexpr int kMaxCheckedGlows = 8;
constexpr int kMaxCheckedFogRanges = 4;

// What the check proved, for the cases it was given (those past the maxima are left unproved).
struct ProvedShortcuts {
  GlowSettings unfoggedSettings[kMaxCheckedGlows] = {};
  int unfoggedCount = 0;
  GlowShortcuts unfogged;
  GlowSettings foggedSettings = {};
  FogRange fogRanges[kMaxCheckedFogRanges] = {};
  int fogRangeCount = 0;
  GlowShortcuts fogged[kMaxCheckedFogRanges];  // by fogRanges
};

// Draws in small render textures of its own, at the render size's reach.
ProvedShortcuts ProveGlowShortcuts(const GlowCheckCases& cases, const char* extensions);
// The shortcuts proved for these settings and the fog in force; none for a case not checked.
GlowShortcuts ProvedFor(const ProvedShortcuts& proved, const GlowSettings& settings);
