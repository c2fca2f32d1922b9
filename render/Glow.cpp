// The glow filter: the frame is copied to a rectangle texture, shrunk to half size, raised to
// a power to keep the bright parts, box-blurred in two one-dimensional passes and added back.
// Everything stays on the graphics side: framebuffer copies and textured quads.
#include "render/Glow.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <vector>

#include "render/FoggedGlow.h"
#include "render/Gl.h"
#include "render/HalfTargets.h"
#include "render/RenderSize.h"

namespace {
// The self-check's picture: small, but wide enough for every blur tap and every byte value.
constexpr int kCheckWidth = 64;
constexpr int kCheckHeight = 48;

struct RenderTextures {
  GLuint frame = 0;  // width x height copy of the frame
  GLuint half = 0;   // the shrunk and blurred image: one of the targets' textures
  HalfTargets targets;
  int width = 0, height = 0;
  bool ready = false;
  bool crossbar = false;  // a texture unit's stage may read another unit's sample
  int textureUnits = 1;   // fixed-function texture units
  int HalfWidth() const { return width / 2; }
  int HalfHeight() const { return height / 2; }
};
RenderTextures renderTextures;

// The glow settings of the show's windows; the one of the windows whose scenes leave fog on
// (totem, tunnel); and the fog ranges the scenes set (start-up and tunnel 0..25, finale 0..80).
constexpr float kShowGlows[][4] = {{3, 0, 3, 1}, {3, 0, 3, 1.2f}, {2, 1, 2, 0.6f}, {3, 0, 3, 1.5f}};
constexpr float kFoggedGlow[4] = {3, 0, 3, 1};
constexpr float kFogRanges[][2] = {{0, 25}, {0, 80}};
constexpr int kFogRangeCount = static_cast<int>(std::size(kFogRanges));

struct GlowShortcuts {
  bool sums = false;          // blur directions and unfogged layers summed in the texture units
  bool foggedLayers = false;  // layers under fog in one fragment-program pass
  bool foggedBlur = false;    // each blur direction under fog in one fragment-program pass
  bool targets = false;       // quarter-size passes drawn straight into the half textures
};
// What the start-up self-check found to give the passes' own bytes, for the show's settings.
struct CheckedShortcuts {
  GlowShortcuts unfogged;
  GlowShortcuts fogged[kFogRangeCount];  // by kFogRanges, for kFoggedGlow
};
CheckedShortcuts checkedShortcuts;
const GlowShortcuts* checkCandidate = nullptr;  // while the self-check draws
// What the glow being drawn may use.
GlowShortcuts activeShortcuts;
// Unfogged, with the sums and the half targets, the frame is never copied: it stays whole in the
// framebuffer, which a filtered blit shrinks and the layers are added onto by blending.
bool frameKept = false;

GLuint CreateRectangleTexture(int width, int height, const std::vector<uint8_t>& black) {
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_RECTANGLE_ARB, name);
  glTexImage2D(GL_TEXTURE_RECTANGLE_ARB, 0, GL_RGB8, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, black.data());
  return name;
}

RenderTextures CreateTextures(int width, int height, const char* extensions) {
  RenderTextures made;
  const std::vector<uint8_t> black(static_cast<size_t>(width) * height * 3, 0);
  made.frame = CreateRectangleTexture(width, height, black);
  made.half = CreateRectangleTexture(width / 2, height / 2, black);
  made.targets = CreateHalfTargets(extensions, made.half, CreateRectangleTexture(width / 2, height / 2, black));
  const bool crossbar = HasGlExtension(extensions, "GL_ARB_texture_env_crossbar");
  made.width = width;
  made.height = height;
  made.ready = true;
  made.crossbar = crossbar;
  glGetIntegerv(GL_MAX_TEXTURE_UNITS, &made.textureUnits);
  return made;
}

// Into the texture made at start-up; re-specifying it every frame gives the same texels at
// about three times the cost on a software renderer.
void CopyFramebuffer(int width, int height) {
  glCopyTexSubImage2D(GL_TEXTURE_RECTANGLE_ARB, 0, 0, 0, 0, 0, width, height);
}

void DeleteTextures(RenderTextures& textures) {
  DeleteHalfTargets(textures.targets);
  glDeleteTextures(1, &textures.frame);
  glDeleteTextures(2, textures.targets.texture);
  textures = RenderTextures{};
}

void DrawFull(int width, int height) {
  glBegin(GL_QUADS);
  DrawRectQuad(width, height, 0, 0);
  glEnd();
}

void DrawHalfShifted(int u, int v) {
  DrawRectQuad(renderTextures.HalfWidth(), renderTextures.HalfHeight(), u, v);
}

// One blur direction: the unshifted tap replaces, the shifted taps add, each weighted by the
// current colour's alpha.
void BlurPass(int radius, int du, int dv) {
  glBlendFunc(GL_SRC_ALPHA, GL_ZERO);
  glBegin(GL_QUADS);
  DrawHalfShifted(0, 0);
  glEnd();
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glBegin(GL_QUADS);
  for (int i = 1; i <= radius; ++i) {
    DrawHalfShifted(-i * du, -i * dv);
    DrawHalfShifted(i * du, i * dv);
  }
  glEnd();
}

// Linear filtering at texel centres returns the texel itself; nearest does the same for less.
void SetFiltering(GLuint texture, GLint filter) {
  glBindTexture(GL_TEXTURE_RECTANGLE_ARB, texture);
  glTexParameteri(GL_TEXTURE_RECTANGLE_ARB, GL_TEXTURE_MIN_FILTER, filter);
  glTexParameteri(GL_TEXTURE_RECTANGLE_ARB, GL_TEXTURE_MAG_FILTER, filter);
}

void SetHalfFiltering(GLint filter) {
  for (const GLuint texture : renderTextures.targets.texture) SetFiltering(texture, filter);
  glBindTexture(GL_TEXTURE_RECTANGLE_ARB, renderTextures.half);
}

// The quarter-size passes draw into one half texture while the other holds the last stored
// pass; the copy of the frame's corner that each pass as written ends with becomes a swap.
int SpareHalfIndex() { return renderTextures.targets.texture[0] == renderTextures.half ? 1 : 0; }

void DrawIntoSpareHalf() { DrawIntoHalfTarget(renderTextures.targets, SpareHalfIndex()); }

// Stores the quarter-size pass just drawn in the half texture and leaves that bound.
void StoreHalf() {
  if (!activeShortcuts.targets) {
    CopyFramebuffer(renderTextures.HalfWidth(), renderTextures.HalfHeight());
    return;
  }
  renderTextures.half = renderTextures.targets.texture[SpareHalfIndex()];
  DrawIntoSpareHalf();
  glBindTexture(GL_TEXTURE_RECTANGLE_ARB, renderTextures.half);
}

// The frame shrunk as the quarter-size pass samples it, stored in the half texture.
void ShrinkByBlit() {
  ShrinkIntoHalfTarget(renderTextures.targets, SpareHalfIndex(), renderTextures.width, renderTextures.height);
  StoreHalf();
}

int LayerCount(float c) {
  int layers = 1;
  for (int k = 1; k < c; ++k) ++layers;
  return layers;
}

// One tap of a summed pass: a texture and the texel rectangle it lays over the viewport.
struct Tap {
  GLuint texture;
  int w, h, x0, y0;
};
constexpr int kMaxTaps = 8;

// Summing in the texture units is exact where the passes it replaces add 8-bit values that
// were already stored (the partial sums clamp at 1 like saturating blends).
bool CanSumTaps(int count) { return count <= renderTextures.textureUnits && count <= kMaxTaps; }

bool SameTap(const Tap& a, const Tap& b) {
  return a.texture == b.texture && a.w == b.w && a.h == b.h && a.x0 == b.x0 && a.y0 == b.y0;
}

// The unit whose sample tap u adds: an earlier unit with the very same tap where stages may
// read other units' samples (the same texel rectangle filters to the same value), else u.
int SampleUnit(const Tap* taps, int u) {
  if (renderTextures.crossbar)
    for (int j = 0; j < u; ++j)
      if (SameTap(taps[j], taps[u])) return j;
  return u;
}

// One quad whose colour is the sum of the taps' texels, the first modulated by the current
// colour. Plain sums are drawn with blending off, and their alpha adds the colour's alpha once
// per tap; a weighed sum keeps the colour's alpha for the blending the caller has set. Leaves
// unit 0 active with the first tap's texture bound and the other units as they were.
// Added sums are plain sums blended onto what the framebuffer holds.
enum class SumOutput { plain, weighed, added };
void SummedTapsPass(const Tap* taps, int count, SumOutput output) {
  for (int u = 0; u < count; ++u) {
    glActiveTexture(GL_TEXTURE0 + u);
    glEnable(GL_TEXTURE_RECTANGLE_ARB);
    glBindTexture(GL_TEXTURE_RECTANGLE_ARB, taps[u].texture);
    if (u == 0) continue;
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB, GL_ADD);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_RGB, GL_PREVIOUS);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_RGB, GL_TEXTURE0 + SampleUnit(taps, u));
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
  constexpr int kCorners[4][2] = {{0, 1}, {0, 0}, {1, 0}, {1, 1}};  // DrawRectQuad's order
  for (const auto& corner : kCorners) {
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
void UnfoggedSum(const Tap* taps, int count, bool fogged) {
  if (fogged) glDisable(GL_FOG);
  SummedTapsPass(taps, count, SumOutput::plain);
  if (fogged) glEnable(GL_FOG);
}

// The unshifted tap of a blur direction: stores every texel times the weight, rounded, which
// is also what each shifted tap adds.
void StoreWeighedTexels() {
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ZERO);
  glBegin(GL_QUADS);
  DrawHalfShifted(0, 0);
  glEnd();
}

void BlurTaps(int radius, int du, int dv, Tap* taps) {
  const int w = renderTextures.HalfWidth(), h = renderTextures.HalfHeight();
  taps[0] = {renderTextures.half, w, h, 0, 0};
  for (int i = 1; i <= radius; ++i) {
    taps[2 * i - 1] = {renderTextures.half, w, h, -i * du, -i * dv};
    taps[2 * i] = {renderTextures.half, w, h, i * du, i * dv};
  }
}

// The frame, shrunk into the lower-left quarter (or the spare half texture) and multiplied by
// itself powerPasses times, stored in the half texture.
void ShrinkWithPowers(int powerPasses) {
  if (frameKept) {
    ShrinkByBlit();
    if (powerPasses == 0) return;
    glDisable(GL_BLEND);
    DrawFull(renderTextures.HalfWidth(), renderTextures.HalfHeight());
    glBlendFunc(GL_DST_COLOR, GL_ZERO);
    glEnable(GL_BLEND);
    glBegin(GL_QUADS);
    for (int i = 0; i < powerPasses; ++i) DrawHalfShifted(0, 0);
    glEnd();
    StoreHalf();
    return;
  }
  glBindTexture(GL_TEXTURE_RECTANGLE_ARB, renderTextures.frame);
  glBlendFunc(GL_DST_COLOR, GL_ZERO);
  glDisable(GL_BLEND);
  DrawFull(renderTextures.width, renderTextures.height);
  glEnable(GL_BLEND);
  glBegin(GL_QUADS);
  for (int i = 0; i < powerPasses; ++i) DrawRectQuad(renderTextures.width, renderTextures.height, 0, 0);
  glEnd();
  glBindTexture(GL_TEXTURE_RECTANGLE_ARB, renderTextures.half);
  StoreHalf();
}

// The shrink, then the two blur directions, each copied back into the half texture.
void ShrinkAndBlur(int radius, int powerPasses, float weight) {
  ShrinkWithPowers(powerPasses);
  glColor4f(1, 1, 1, weight);
  BlurPass(radius, 1, 0);
  StoreHalf();
  BlurPass(radius, 0, 1);
  StoreHalf();
}

// Under fog, each blur direction in one program pass from the shrunk (then the horizontally
// blurred) half texture, leaving the state the plain blur leaves.
bool FoggedBlur(int radius, float weight) {
  const float fog = CurrentFogAtUnitDistance();
  const int halfWidth = renderTextures.HalfWidth(), halfHeight = renderTextures.HalfHeight();
  glColor4f(1, 1, 1, weight);
  glDisable(GL_BLEND);
  for (const int direction : {0, 1}) {
    int shifts[kFoggedBlurTaps][2] = {};
    for (int i = 1; i <= radius; ++i) {
      shifts[2 * i - 1][direction] = -i;
      shifts[2 * i][direction] = i;
    }
    DrawFoggedBlur(renderTextures.half, halfWidth, halfHeight, shifts, fog);
    glActiveTexture(GL_TEXTURE0);
    StoreHalf();
  }
  SetHalfFiltering(GL_LINEAR);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  return true;
}

// The same result in fewer passes. Every tap of a blur direction blends the stored product
// round(texel x weight), so it is enough to store those products once and sum them in one
// multi-texture pass. Without fog the shrink stores them itself when there is no power step
// (blending with the weight as the unshifted tap does) and the horizontal sum stores them for
// the vertical direction. Under fog every pass is fogged before it is stored, so the shrink
// and the unshifted taps stay as passes of their own (fogged as before) and only the sums of
// their stored products are drawn unfogged, unless the self-check kept the fragment program
// that does each direction in one pass. Taps sit on texel centres, where unfiltered sampling
// gives the same texels.
bool SummedShrinkAndBlur(int radius, int powerPasses, float weight) {
  const int count = 2 * radius + 1;
  if (!CanSumTaps(count)) return false;
  const bool fogged = glIsEnabled(GL_FOG);
  SetHalfFiltering(GL_NEAREST);
  glBindTexture(GL_TEXTURE_RECTANGLE_ARB, renderTextures.frame);
  if (frameKept) {
    ShrinkWithPowers(powerPasses);
    glColor4f(1, 1, 1, weight);
    StoreWeighedTexels();
  } else if (powerPasses == 0 && !fogged) {
    glColor4f(1, 1, 1, weight);
    glBlendFunc(GL_SRC_ALPHA, GL_ZERO);
    glEnable(GL_BLEND);
    DrawFull(renderTextures.width, renderTextures.height);
    glBindTexture(GL_TEXTURE_RECTANGLE_ARB, renderTextures.half);
  } else {
    ShrinkWithPowers(powerPasses);
    if (fogged && activeShortcuts.foggedBlur && count == kFoggedBlurTaps) return FoggedBlur(radius, weight);
    glColor4f(1, 1, 1, weight);
    StoreWeighedTexels();
  }
  StoreHalf();
  Tap taps[kMaxTaps];
  BlurTaps(radius, 1, 0, taps);
  if (fogged) {
    glColor4f(1, 1, 1, 1);
    UnfoggedSum(taps, count, fogged);
    StoreHalf();
    glColor4f(1, 1, 1, weight);
    StoreWeighedTexels();
  } else {
    SummedTapsPass(taps, count, SumOutput::weighed);  // blending still stores round(sum x weight)
  }
  StoreHalf();
  BlurTaps(radius, 0, 1, taps);
  glColor4f(1, 1, 1, 1);  // the stored products are summed as they are
  UnfoggedSum(taps, count, fogged);
  StoreHalf();
  SetHalfFiltering(GL_LINEAR);
  // As the plain blur leaves it.
  glColor4f(1, 1, 1, weight);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  return true;
}

// Under fog the fixed-function sum would fog once instead of per pass; a fragment program
// fogs and rounds each term as its pass would.
bool FoggedLayersPass(int layers) {
  if (!activeShortcuts.foggedLayers) return false;
  glDisable(GL_BLEND);
  DrawFoggedLayers(renderTextures.half, renderTextures.HalfWidth(), renderTextures.HalfHeight(), renderTextures.frame,
                   renderTextures.width, renderTextures.height, layers, CurrentFogAtUnitDistance());
  return true;
}

// The blurred image stretched once per layer (linear), then the sharp frame texel for texel.
bool SummedLayersPass(int layers) {
  if (glIsEnabled(GL_FOG)) {
    if (!FoggedLayersPass(layers)) return false;
  } else {
    if (!activeShortcuts.sums || !CanSumTaps(frameKept ? layers : layers + 1)) return false;
    Tap taps[kMaxTaps];
    const int w = renderTextures.HalfWidth(), h = renderTextures.HalfHeight();
    for (int k = 0; k < layers; ++k) taps[k] = {renderTextures.half, w, h, 0, 0};
    if (frameKept) {
      SummedTapsPass(taps, layers, SumOutput::added);
    } else {
      taps[layers] = {renderTextures.frame, renderTextures.width, renderTextures.height, 0, 0};
      SummedTapsPass(taps, layers + 1, SumOutput::plain);
    }
    glBindTexture(GL_TEXTURE_RECTANGLE_ARB, renderTextures.frame);
  }
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE);
  return true;
}

// What the filter leaves for the fades and scanlines that follow, with or without the filter.
void LeaveFrameState() {
  glEnable(GL_DEPTH_TEST);
  glDisable(GL_BLEND);
  glViewport(0, 0, renderTextures.width, renderTextures.height);
}

// Every byte value in every channel, in different orders, so that sums saturate and filtering
// mixes unlike neighbours; the upper half an eighth as bright, so that the last sums stay below
// saturation there and show any difference the earlier passes made. Written unfogged and
// untextured, byte for byte.
void DrawCheckPattern() {
  std::vector<uint8_t> rgb(static_cast<size_t>(kCheckWidth) * kCheckHeight * 3);
  for (size_t i = 0; i < rgb.size() / 3; ++i) {
    const int shift = i / kCheckWidth < kCheckHeight / 2 ? 0 : 3;
    rgb[3 * i] = static_cast<uint8_t>(i) >> shift;
    rgb[3 * i + 1] = static_cast<uint8_t>(i * 7 + 3) >> shift;
    rgb[3 * i + 2] = static_cast<uint8_t>(i * 29 + 101) >> shift;
  }
  glPushAttrib(GL_ENABLE_BIT);
  glDisable(GL_FOG);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  glDisable(GL_DEPTH_TEST);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glWindowPos2i(0, 0);
  glDrawPixels(kCheckWidth, kCheckHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  glPopAttrib();
}

std::vector<uint8_t> GlowOfCheckPattern(const float* glow, PassMode mode) {
  DrawCheckPattern();
  DrawGlow(glow[0], glow[1], glow[2], glow[3], mode);
  std::vector<uint8_t> rgb(static_cast<size_t>(kCheckWidth) * kCheckHeight * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, kCheckWidth, kCheckHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  return rgb;
}

bool SameGlow(const float* a, const float* b) { return a[0] == b[0] && a[1] == b[1] && a[2] == b[2] && a[3] == b[3]; }

// The shortcuts the self-check found for this glow setting and the fog in force; none for a
// case it did not check.
GlowShortcuts ShortcutsFor(const float* glow) {
  if (checkCandidate) return *checkCandidate;
  if (!glIsEnabled(GL_FOG)) {
    for (const auto& shown : kShowGlows)
      if (SameGlow(glow, shown)) return checkedShortcuts.unfogged;
    return {};
  }
  if (!SameGlow(glow, kFoggedGlow) || !FogIsLinearBlack()) return {};
  GLfloat start = 0, end = 0;
  glGetFloatv(GL_FOG_START, &start);
  glGetFloatv(GL_FOG_END, &end);
  for (int i = 0; i < kFogRangeCount; ++i)
    if (kFogRanges[i][0] == start && kFogRanges[i][1] == end) return checkedShortcuts.fogged[i];
  return {};
}

// The candidate's bytes against the passes as written for the given glow settings, unfogged
// (fogRange null) or under linear black fog of that range.
bool MatchesPlainPasses(const GlowShortcuts& candidate, const float (*glows)[4], int glowCount, const float* fogRange) {
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  if (fogRange) {
    const GLfloat black[4] = {0, 0, 0, 1};
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glFogfv(GL_FOG_COLOR, black);
    glFogf(GL_FOG_START, fogRange[0]);
    glFogf(GL_FOG_END, fogRange[1]);
  }
  bool same = true;
  checkCandidate = &candidate;
  for (int g = 0; g < glowCount && same; ++g) {
    if (fogRange) glEnable(GL_FOG);  // the glow switches nothing back on
    const std::vector<uint8_t> plain = GlowOfCheckPattern(glows[g], PassMode::plain);
    if (fogRange) glEnable(GL_FOG);
    same = GlowOfCheckPattern(glows[g], PassMode::shortcuts) == plain;
  }
  checkCandidate = nullptr;
  glPopAttrib();
  return same;
}

// The first candidate, in the order given, that gives the passes' bytes: each with the half
// targets first where they exist, then without; none when none does.
template <int count>
GlowShortcuts FirstMatch(const GlowShortcuts (&candidates)[count], const float (*glows)[4], int glowCount,
                         const float* fogRange) {
  for (GlowShortcuts candidate : candidates) {
    if (renderTextures.targets.ready) {
      candidate.targets = true;
      if (MatchesPlainPasses(candidate, glows, glowCount, fogRange)) return candidate;
      candidate.targets = false;
    }
    if (MatchesPlainPasses(candidate, glows, glowCount, fogRange)) return candidate;
  }
  return {};
}

// Draws the small pattern both ways in small render textures of its own and keeps each
// shortcut only where it gave the same bytes as the passes as written: under fog everything,
// else without the blur program, else the sums alone.
void CheckShortcuts(const char* extensions) {
  const RenderTextures show = renderTextures;
  renderTextures = CreateTextures(kCheckWidth, kCheckHeight, extensions);
  CheckedShortcuts checked;
  const GlowShortcuts unfogged[2] = {{true, false, false}, {}};
  checked.unfogged = FirstMatch(unfogged, kShowGlows, static_cast<int>(std::size(kShowGlows)), nullptr);
  const bool program = CreateFoggedGlowPrograms();
  const float glows[1][4] = {{kFoggedGlow[0], kFoggedGlow[1], kFoggedGlow[2], kFoggedGlow[3]}};
  const GlowShortcuts fogged[4] = {{true, program, program}, {true, program, false}, {true, false, false}, {}};
  for (int i = 0; i < kFogRangeCount; ++i) checked.fogged[i] = FirstMatch(fogged, glows, 1, kFogRanges[i]);
  DeleteTextures(renderTextures);
  renderTextures = show;
  checkedShortcuts = checked;
}
}  // namespace

bool HasGlExtension(const char* extensions, const char* name) {
  if (!extensions || !name || !*name) return false;
  const size_t length = std::strlen(name);
  for (const char* at = std::strstr(extensions, name); at; at = std::strstr(at + 1, name)) {
    const bool startsWord = at == extensions || at[-1] == ' ';
    const bool endsWord = at[length] == '\0' || at[length] == ' ';
    if (startsWord && endsWord) return true;
  }
  return false;
}

bool CreateRenderTexturesFor(const char* extensions) {
  if (renderTextures.ready) DeleteTextures(renderTextures);
  const bool rectangles = HasGlExtension(extensions, "GL_ARB_texture_rectangle") ||
                          HasGlExtension(extensions, "GL_EXT_texture_rectangle") ||
                          HasGlExtension(extensions, "GL_NV_texture_rectangle");
  checkedShortcuts = CheckedShortcuts{};
  if (!rectangles) {
    std::fprintf(stderr, "warning: no GL_ARB_texture_rectangle, the glow filter is off\n");
    return true;
  }
  renderTextures = CreateTextures(renderSize.width, renderSize.height, extensions);
  CheckShortcuts(extensions);
  return true;
}

GlowShortcutsInUse CheckedGlowShortcuts() {
  GlowShortcutsInUse use{checkedShortcuts.unfogged.sums, 0, 0, 0, checkedShortcuts.unfogged.targets, 0};
  for (const GlowShortcuts& fogged : checkedShortcuts.fogged) {
    use.foggedSums += fogged.sums;
    use.foggedLayers += fogged.foggedLayers;
    use.foggedBlur += fogged.foggedBlur;
    use.foggedTargets += fogged.targets;
  }
  return use;
}

bool CreateRenderTextures() {
  return CreateRenderTexturesFor(reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS)));
}

// Covers the viewport with the texel rectangle x0..x0+w, y0..y0+h; y = 1 is the bottom under
// the filter's projection, so texel row y0 (a copy's bottom row) lands at the bottom.
void DrawRectQuad(int w, int h, int x0, int y0) {
  glTexCoord2i(x0, y0);
  glVertex3i(0, 1, -1);
  glTexCoord2i(x0, y0 + h);
  glVertex3i(0, 0, -1);
  glTexCoord2i(x0 + w, y0 + h);
  glVertex3i(1, 0, -1);
  glTexCoord2i(x0 + w, y0);
  glVertex3i(1, 1, -1);
}

void DrawGlow(float a, float b, float c, float d, PassMode mode) {
  if (!renderTextures.ready) {
    LeaveFrameState();
    return;
  }
  // The blur reaches as far across the picture at every render size: more taps, each lighter,
  // with the same total weight. From the render size, not the textures': the self-check draws
  // into small textures of its own with the show's reach.
  const int radius = static_cast<int>(std::lround(static_cast<int>(a) * renderSize.height / 600.0));
  const int powerPasses = static_cast<int>(b);

  float weight = d / (2 * a + 1);
  if (radius != static_cast<int>(a)) weight *= (2.0f * static_cast<int>(a) + 1) / (2.0f * radius + 1);
  const float glow[4] = {a, b, c, d};
  // The self-check proved the shortcuts for the show's own settings at its own reach only.
  const bool asChecked = mode == PassMode::shortcuts && radius == static_cast<int>(a);
  activeShortcuts = asChecked ? ShortcutsFor(glow) : GlowShortcuts{};
  const int layers = LayerCount(c);
  // The layers must then be summed as well: the passes as written would need the frame's copy.
  frameKept = activeShortcuts.targets && activeShortcuts.sums && !glIsEnabled(GL_FOG) && CanSumTaps(layers);

  const bool scissored = glIsEnabled(GL_SCISSOR_TEST);
  glDisable(GL_SCISSOR_TEST);
  glEnable(GL_TEXTURE_RECTANGLE_ARB);
  glColor3f(1, 1, 1);
  glDisable(GL_DEPTH_TEST);
  glBindTexture(GL_TEXTURE_RECTANGLE_ARB, renderTextures.frame);
  if (!frameKept) CopyFramebuffer(renderTextures.width, renderTextures.height);

  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0, 1, 1, 0, 0.1, 100);
  glViewport(0, 0, renderTextures.HalfWidth(), renderTextures.HalfHeight());

  if (activeShortcuts.targets) DrawIntoSpareHalf();
  if (!activeShortcuts.sums || !SummedShrinkAndBlur(radius, powerPasses, weight))
    ShrinkAndBlur(radius, powerPasses, weight);
  if (activeShortcuts.targets) DrawIntoOutside();

  // The blurred image replaces the frame once and is added for every further layer; the sharp
  // frame goes back on top.
  glViewport(0, 0, renderTextures.width, renderTextures.height);
  if (scissored) glEnable(GL_SCISSOR_TEST);
  const bool shortcuts = activeShortcuts.sums || activeShortcuts.foggedLayers;
  if (shortcuts) SetFiltering(renderTextures.frame, GL_NEAREST);
  if (!shortcuts || !SummedLayersPass(layers)) {
    const int halfWidth = renderTextures.HalfWidth(), halfHeight = renderTextures.HalfHeight();
    glBindTexture(GL_TEXTURE_RECTANGLE_ARB, renderTextures.half);
    glDisable(GL_BLEND);
    DrawFull(halfWidth, halfHeight);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glBegin(GL_QUADS);
    for (int k = 1; k < layers; ++k) DrawRectQuad(halfWidth, halfHeight, 0, 0);
    glEnd();
    glBindTexture(GL_TEXTURE_RECTANGLE_ARB, renderTextures.frame);
    DrawFull(renderTextures.width, renderTextures.height);
  }
  if (shortcuts) {
    SetFiltering(renderTextures.frame, GL_LINEAR);
    glTexCoord2i(renderTextures.width, 0);  // the sharp frame quad's last corner, as the passes leave it
  }

  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
  glDisable(GL_TEXTURE_RECTANGLE_ARB);
  LeaveFrameState();
}
