// The glow's shortcuts: the same bytes in fewer passes. Every tap of a blur direction blends
// the stored product round(texel x weight), so storing those products once and summing them in
// one multi-texture pass gives the blended sum; the layers and the sharp frame are one pass
// too. Under fog, where every pass is fogged on its own, fragment programs fog and round each
// term as its pass would.
#pragma once
#include "render/glow/GlowPlan.h"

// The shrink and both blur directions; false, drawing nothing, where the taps do not fit in
// the texture units.
bool SummedShrinkAndBlur(GlowTextures& textures, const GlowPlan& plan);
// The layers and the sharp frame in one pass; false, drawing nothing, where the plan's
// shortcuts do not cover them.
bool SummedLayers(const GlowTextures& textures, const GlowPlan& plan);
