// The glow's start-up self-check. The shortcuts are exact only where the renderer hands back
// filtered samples cut to 8 bits and rounds as the software renderer does, so each is drawn
// over a small pattern beside the passes as written, for every case the show draws, and kept
// only where the bytes matched.
#pragma once
#include "render/glow/GlowPlan.h"
#include "render/glow/GlowTextures.h"

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

// The check in steps, so that a caller can spread it over frames: the unfogged cases, then each
// fog range. What is proved is usable after every step; a case not yet reached is drawn as
// written.
struct GlowCheckRun {
  ProvedShortcuts proved;
  GlowTextures textures;  // small render textures of its own, at the render size's reach
  bool program = false;   // the fogged programs compiled
  int nextStep = 0;
};
GlowCheckRun BeginGlowCheck(const GlowCheckCases& cases);
// Runs the next step; false when it was the last (the check's textures then deleted).
bool ContinueGlowCheck(GlowCheckRun& run, const char* extensions);

// The shortcuts proved for these settings and the fog in force; none for a case not checked.
GlowShortcuts ProvedFor(const ProvedShortcuts& proved, const GlowSettings& settings);
