// One glow, pass after pass, as its plan says: the frame's copy, the shrink and the blur at
// quarter size, then the layers and the sharp frame at full size.
#pragma once
#include "render/glow/GlowPlan.h"

// A scissor the caller has enabled limits the full-size passes only: the half-size passes always
// cover their whole image, so the blur near the scissor's edges sees the whole frame. Leaves
// the state the fades and scanlines expect, with the viewport over the textures' size.
void DrawGlowPasses(GlowTextures& textures, const GlowPlan& plan);
// The state the filter leaves, drawn or not.
void LeaveFrameState(int width, int height);
