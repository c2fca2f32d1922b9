// How one glow is drawn: its settings at the render size, and which shortcuts it may take.
// Chosen once per glow and passed to every pass, so each pass reads what it draws from its
// arguments alone.
#pragma once
#include "render/glow/GlowSettings.h"
#include "render/glow/GlowTextures.h"

// Each gives the passes' own bytes where the start-up self-check found it to.
struct GlowShortcuts {
  bool sums = false;          // blur directions and unfogged layers summed in the texture units
  bool foggedLayers = false;  // layers under fog in one fragment-program pass
  bool foggedBlur = false;    // each blur direction under fog in one fragment-program pass
  bool targets = false;       // quarter-size passes drawn straight into the half textures
};

struct GlowPlan {
  int radius = 0;       // taps to each side, scaled to the render size
  int powerPasses = 0;
  float weight = 0;     // of each tap
  int layers = 1;
  bool fogged = false;  // every pass is fogged on its own
  GlowShortcuts shortcuts;
  // Unfogged, with the sums and the half targets, the frame is never copied: it stays whole in
  // the framebuffer, which a filtered blit shrinks and the layers are added onto by blending.
  bool frameKept = false;
};

// The plan for settings at renderHeight (the blur reaches as far across the picture at every
// size). The shortcuts apply only at the show's own reach, where the self-check proved them.
GlowPlan PlanGlow(const GlowSettings& settings, int renderHeight, bool fogged, const GlowShortcuts& proved,
                  const GlowTextures& textures);

// Summing in the texture units is exact where the passes it replaces add 8-bit values that
// were already stored (the partial sums clamp at 1 like saturating blends).
constexpr int kMaxTaps = 8;
bool CanSumTaps(const GlowTextures& textures, int count);
