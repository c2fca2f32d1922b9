// The glow's passes as written: each blur tap and each layer a blended quad of its own.
#pragma once
#include "render/glow/GlowPlan.h"

// The frame, shrunk into the lower-left quarter (or the spare half texture) and multiplied by
// itself plan.powerPasses times, stored in the half texture.
void ShrinkWithPowers(GlowTextures& textures, const GlowPlan& plan);
// The shrink, then the two blur directions, each stored in the half texture.
void ShrinkAndBlur(GlowTextures& textures, const GlowPlan& plan);
// The blurred image stretched over the frame once, added for every further layer, then the
// sharp frame added on top.
void PlainLayers(const GlowTextures& textures, const GlowPlan& plan);
