// The per-frame glow filter and the two rectangle render textures it works in.
#pragma once
#include "render/PassMode.h"

// Creates the two render textures, then draws a small pattern through the filter with each
// shortcut and as written, and keeps only the shortcuts that gave the same bytes. Without rectangle textures it prints a one-line warning on
// stderr and the filter stays off: DrawGlow then leaves the frame unchanged.
bool CreateRenderTextures();
// The same, deciding from the given GL extension string.
bool CreateRenderTexturesFor(const char* extensions);
// What the start-up self-check accepted.
struct GlowShortcutsInUse {
  bool sums;         // unfogged: blur directions and layers in one multi-texture pass each
  int foggedSums;    // of the show's fog ranges, those under which the blur sums matched
  int foggedLayers;  // and those under which the fragment program's layers matched
  int foggedBlur;    // and its blur directions
  bool targets;      // unfogged: quarter-size passes drawn into the half textures, frame kept
  int foggedTargets; // of the fog ranges, those under which those targets matched
};
GlowShortcutsInUse CheckedGlowShortcuts();
// True when the name appears as a whole word of the space-separated extension string.
bool HasGlExtension(const char* extensions, const char* name);
// Frame + layers x blur(shrink(frame)^(trunc(b)+1)): radius a, power passes b, layers c, gain d.
// The shortcuts give the same pixels with fewer passes: each blur direction and the layers
// with the sharp frame are summed in one multi-texture pass, and taps on texel centres sample
// unfiltered; under fog, where every pass is fogged on its own, fragment programs round each
// fogged tap and layer as its pass would. PassMode::plain draws as written.
// A scissor the caller has enabled limits the full-size passes only: the half-size passes always
// cover their whole image, so the blur near the scissor's edges sees the whole frame.
void DrawGlow(float a, float b, float c, float d, PassMode mode = PassMode::shortcuts);
void DrawRectQuad(int w, int h, int x0, int y0);
