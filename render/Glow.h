// The per-frame glow filter and the two rectangle render textures it works in.
#pragma once
#include "render/PassMode.h"

// Creates the two render textures. Without rectangle textures it prints a one-line warning on
// stderr and the filter stays off: DrawGlow then leaves the frame unchanged.
bool CreateRenderTextures();
// The same, deciding from the given GL extension string.
bool CreateRenderTexturesFor(const char* extensions);
// True when the name appears as a whole word of the space-separated extension string.
bool HasGlExtension(const char* extensions, const char* name);
// Frame + layers x blur(shrink(frame)^(trunc(b)+1)): radius a, power passes b, layers c, gain d.
// The shortcuts sample the texel-aligned passes (blur taps, sharp frame) without filtering and,
// without fog, lay the layers and the sharp frame in one multi-texture pass.
void DrawGlow(float a, float b, float c, float d, PassMode mode = PassMode::shortcuts);
void DrawRectQuad(int w, int h, int x0, int y0);
