#include "render/glow/SummedPasses.h"

#include <initializer_list>

#include "render/glow/FoggedPrograms.h"
#include "render/glow/PlainPasses.h"
#include "render/glow/RectQuad.h"

namespace {
// One tap of a summed pass: a texture and the texel rectangle it lays over the viewport.
struct Tap {
  GLuint texture;
  int w, h, x0, y0;
};

bool SameTap(const Tap& a, const Tap& b) {
  return a.texture == b.texture && a.w == b.w && a.h == b.h && a.x0 == b.x0 && a.y0 == b.y0;
}

// The unit whose sample tap u adds: an earlier unit with the very same tap where stages may
// read other units' samples (the same texel rectangle filters to the same value), else u.
int SampleUnit(const GlowTextures& textures, const Tap* taps, int u) {
  if (textures.crossbar)
    for (int j = 0; j < u; ++j)
      if (SameTap(taps[j], taps[u])) return j;
  return u;
}

// One quad whose colour is the sum of the taps' texels, the first modulated by the current
// colour. Plain sums are drawn with blending off, and their alpha adds the colour's alpha once
// per tap; a weighed sum keeps the colour's alpha for the blending the caller has set; added
// sums are plain sums blended onto what the framebuffer holds. Leaves unit 0 active with the
// first tap's texture bound and the other units as they were.
enum class SumOutput { plain, weighed, added };
void SummedTapsPass(const GlowTextures& textures, const Tap* taps, int count, SumOutput output) {
  for (int u = 0; u < count; ++u) {
    glActiveTexture(GL_TEXTURE0 + u);
    glEnable(GL_TEXTURE_RECTANGLE_ARB);
    glBindTexture(GL_TEXTURE_RECTANGLE_ARB, taps[u].texture);
    if (u == 0) continue;
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB, GL_ADD);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_RGB, GL_PREVIOUS);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_RGB, GL_TEXTURE0 + SampleUnit(textures, taps, u));
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_ALPHA, output == SumOutput::weighed ? GL_REPLACE : GL_ADD);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_ALPHA, GL_PREVIOUS);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_ALPHA, GL_PRIMARY_COLOR);
  }
  if (output == SumOutput::plain) glDisable(GL_BLEND);
  if (output == SumOutput::added) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
  }
  glBegin(GL_QUADS);
  for (const auto& corner : kRectQuadCorners) {
    for (int u = 0; u < count; ++u) {
      const Tap& tap = taps[u];
      glMultiTexCoord2i(GL_TEXTURE0 + u, tap.x0 + corner[0] * tap.w, tap.y0 + (1 - corner[1]) * tap.h);
    }
    glVertex3i(corner[0], corner[1], -1);
  }
  glEnd();
  for (int u = count - 1; u > 0; --u) {
    glActiveTexture(GL_TEXTURE0 + u);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glDisable(GL_TEXTURE_RECTANGLE_ARB);
  }
  glActiveTexture(GL_TEXTURE0);
}

// A sum of stored values, drawn unfogged where the passes it replaces were fogged one by one
// before being stored.
void UnfoggedSum(const GlowTextures& textures, const Tap* taps, int count, bool fogged) {
  if (fogged) glDisable(GL_FOG);
  SummedTapsPass(textures, taps, count, SumOutput::plain);
  if (fogged) glEnable(GL_FOG);
}

// The unshifted tap of a blur direction: stores every texel times the weight, rounded, which
// is also what each shifted tap adds.
void StoreWeighedTexels(const GlowTextures& textures) {
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ZERO);
  glBegin(GL_QUADS);
  DrawHalfShifted(textures, 0, 0);
  glEnd();
}

void BlurTaps(const GlowTextures& textures, int radius, int du, int dv, Tap* taps) {
  const int w = textures.HalfWidth(), h = textures.HalfHeight();
  taps[0] = {textures.half, w, h, 0, 0};
  for (int i = 1; i <= radius; ++i) {
    taps[2 * i - 1] = {textures.half, w, h, -i * du, -i * dv};
    taps[2 * i] = {textures.half, w, h, i * du, i * dv};
  }
}

// What the blur as written leaves.
void LeaveBlurState(float weight) {
  glColor4f(1, 1, 1, weight);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
}

// Under fog, each blur direction in one program pass from the shrunk (then the horizontally
// blurred) half texture.
void FoggedBlur(GlowTextures& textures, const GlowPlan& plan) {
  const float fog = CurrentFogAtUnitDistance();
  glColor4f(1, 1, 1, plan.weight);
  glDisable(GL_BLEND);
  for (const int direction : {0, 1}) {
    int shifts[kFoggedBlurTaps][2] = {};
    for (int i = 1; i <= plan.radius; ++i) {
      shifts[2 * i - 1][direction] = -i;
      shifts[2 * i][direction] = i;
    }
    DrawFoggedBlur(textures.half, textures.HalfWidth(), textures.HalfHeight(), shifts, fog);
    glActiveTexture(GL_TEXTURE0);
    StoreHalf(textures, plan.shortcuts.targets);
  }
  SetHalfFiltering(textures, GL_LINEAR);
  LeaveBlurState(plan.weight);
}
}  // namespace

// Without fog the shrink stores the weighed products itself when there is no power step
// (blending with the weight as the unshifted tap does) and the horizontal sum stores them for
// the vertical direction. Under fog the shrink and the unshifted taps stay passes of their own
// (fogged as before) and only the sums of their stored products are drawn unfogged, unless the
// plan has the fragment program that does each direction in one pass. Taps sit on texel
// centres, where unfiltered sampling gives the same texels.
bool SummedShrinkAndBlur(GlowTextures& textures, const GlowPlan& plan) {
  const int count = 2 * plan.radius + 1;
  if (!CanSumTaps(textures, count)) return false;
  const bool fogged = plan.fogged;
  const bool intoTargets = plan.shortcuts.targets;
  SetHalfFiltering(textures, GL_NEAREST);
  glBindTexture(GL_TEXTURE_RECTANGLE_ARB, textures.frame);
  if (plan.frameKept) {
    ShrinkWithPowers(textures, plan);
    glColor4f(1, 1, 1, plan.weight);
    StoreWeighedTexels(textures);
  } else if (plan.powerPasses == 0 && !fogged) {
    glColor4f(1, 1, 1, plan.weight);
    glBlendFunc(GL_SRC_ALPHA, GL_ZERO);
    glEnable(GL_BLEND);
    DrawFull(textures.width, textures.height);
    glBindTexture(GL_TEXTURE_RECTANGLE_ARB, textures.half);
  } else {
    ShrinkWithPowers(textures, plan);
    if (fogged && plan.shortcuts.foggedBlur && count == kFoggedBlurTaps) {
      FoggedBlur(textures, plan);
      return true;
    }
    glColor4f(1, 1, 1, plan.weight);
    StoreWeighedTexels(textures);
  }
  StoreHalf(textures, intoTargets);
  Tap taps[kMaxTaps];
  BlurTaps(textures, plan.radius, 1, 0, taps);
  if (fogged) {
    glColor4f(1, 1, 1, 1);
    UnfoggedSum(textures, taps, count, fogged);
    StoreHalf(textures, intoTargets);
    glColor4f(1, 1, 1, plan.weight);
    StoreWeighedTexels(textures);
  } else {
    SummedTapsPass(textures, taps, count, SumOutput::weighed);  // blending still stores round(sum x weight)
  }
  StoreHalf(textures, intoTargets);
  BlurTaps(textures, plan.radius, 0, 1, taps);
  glColor4f(1, 1, 1, 1);  // the stored products are summed as they are
  UnfoggedSum(textures, taps, count, fogged);
  StoreHalf(textures, intoTargets);
  SetHalfFiltering(textures, GL_LINEAR);
  LeaveBlurState(plan.weight);
  return true;
}

bool SummedLayers(const GlowTextures& textures, const GlowPlan& plan) {
  const int layers = plan.layers;
  if (plan.fogged) {
    // The fixed-function sum would fog once instead of per pass.
    if (!plan.shortcuts.foggedLayers) return false;
    glDisable(GL_BLEND);
    DrawFoggedLayers(textures.half, textures.HalfWidth(), textures.HalfHeight(), textures.frame, textures.width,
                     textures.height, layers, CurrentFogAtUnitDistance());
  } else {
    if (!plan.shortcuts.sums || !CanSumTaps(textures, plan.frameKept ? layers : layers + 1)) return false;
    Tap taps[kMaxTaps];
    const int w = textures.HalfWidth(), h = textures.HalfHeight();
    for (int k = 0; k < layers; ++k) taps[k] = {textures.half, w, h, 0, 0};
    if (plan.frameKept) {
      SummedTapsPass(textures, taps, layers, SumOutput::added);
    } else {
      taps[layers] = {textures.frame, textures.width, textures.height, 0, 0};
      SummedTapsPass(textures, taps, layers + 1, SumOutput::plain);
    }
    glBindTexture(GL_TEXTURE_RECTANGLE_ARB, textures.frame);
  }
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE);
  return true;
}
