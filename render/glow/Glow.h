// The per-frame glow filter and the two rectangle render textures it works in:
// frame + layers x blur(shrink(frame)^(trunc(b)+1)) with radius a, power passes b, layers c, gain d.
// The filter draws as its plan says (render/glow/GlowPlan.h): the passes as written, or the
// shortcuts the start-up self-check proved to give the same bytes.
#pragma once
#include "render/glow/GlowSettings.h"

// Creates the two render textures at the render size. Without rectangle textures it prints a
// one-line warning on stderr and the filter stays off: DrawGlow then leaves the frame unchanged.
bool CreateRenderTextures();
// The same, deciding from the given GL extension string.
bool CreateRenderTexturesFor(const char* extensions);
// The self-check over the cases the show draws; until it runs, every glow is drawn as written.
void CheckGlowShortcuts(const GlowCheckCases& cases);
// The same check in steps (the unfogged cases, then each fog range; each step mostly the
// driver compiling the passes' shaders), so that start-up need not wait for it: Start proves
// nothing yet; before each frame but the first after it, one step runs (it draws in the
// framebuffer, which the frame then clears) and its result is used from that frame on. The GL
// state a frame sees is left as it was. Finish runs the steps left.
void StartGlowShortcutCheck(const GlowCheckCases& cases);
void ContinueGlowShortcutCheckBeforeFrame();
void FinishGlowShortcutCheck();

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

// Drawn with the shortcuts the self-check proved unless the frame's pass mode is plain.
void DrawGlow(float a, float b, float c, float d);
// Frames at demo times up to coveredUntil lie wholly under an opaque layer drawn after the glow
// (the opening's black fade), so no pixel of their glow can show: drawn with the shortcuts,
// they leave its passes out and only set the GL state the passes leave. The glow's textures
// need no content for that: every glow writes them before it reads them. None is covered
// until this is called.
void SetGlowCoveredUntil(float coveredUntil);
