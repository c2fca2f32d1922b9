// The frame: demo time, scene by window, captions, glow, fades, scanlines, letterbox, bands.
#include "director/Timeline.h"

#include <iterator>

#include "director/DemoState.h"
#include "director/Music.h"
#include "metaballs/MetaballScene.h"
#include "render/Font.h"
#include "render/Gl.h"
#include "render/Glow.h"
#include "render/Overlays.h"
#include "render/RenderSize.h"
#include "scenes/Scenes.h"

namespace {

constexpr float kNoLowerBound = -3.4e38f;

// The caption digit strings that type in under the credits.
constexpr const char* kDigits1 = "101001011101010111010101100101010101000100101010101001011";
constexpr const char* kDigits2 = "010101010101011101010111010101100101001001010101010010110";

struct Credit {
  int x, y;
  float start, duration;
  const char* text;
  const char* digits;
  float scale;
  int length;
};

constexpr Credit kOpeningCredits[] = {
    {70, 110, 30, 10, "visuals:", kDigits1, 1.5f, 8},
    {70, 70, 31, 10, "vizmerk", kDigits2, 1.5f, 7},
    {70, 110, 40, 10, "music:", kDigits1, 1.5f, 6},
    {70, 70, 41, 10, "sonorrak", kDigits2, 1.5f, 8},
    {70, 110, 50, 10, "boozing:", kDigits1, 1.5f, 8},
    {70, 70, 51, 10, "quillonbarstrom", kDigits2, 1.5f, 15},
    {120, 90, 63, 10, "thunderkilns", kDigits2, 2, 12},
    {70, 100, 70, 20, "marimbatropolis", kDigits1, 2, 15},
    {110, 70, 72, 20, "a tale from the old house", kDigits1, 1, 25},
};

constexpr Credit kGreetings[] = {
    {50, 90, 190, 6, "vellumoth", kDigits2, 1.5f, 9},
    {50, 90, 195, 6, "quartzhound", kDigits2, 1.5f, 11},
    {50, 90, 200, 6, "brindleax", kDigits2, 1.5f, 9},
    {50, 90, 205, 6, "korvo", kDigits2, 1.5f, 5},
};

bool Inside(float lower, float t, float upper) { return lower < t && t < upper; }

void DrawCredits(const Credit* credits, int count) {
  for (int i = 0; i < count; ++i) {
    const Credit& c = credits[i];
    DrawCreditCaption(c.x, c.y, c.start, c.duration, c.text, c.digits, c.scale, c.length);
  }
}

void DrawCaptions(float t) {
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glEnable(GL_BLEND);
  glColor3f(0.2f, 0.9f, 0.1f);
  DrawCredits(kOpeningCredits, static_cast<int>(std::size(kOpeningCredits)));
  if (Inside(188.5f, t, 209)) PrintText(50, 120, "fuckings:", 0, 1.5f);
  DrawCredits(kGreetings, static_cast<int>(std::size(kGreetings)));
  if (Inside(156, t, 161)) {
    DrawCaptionBand();
    glColor3f(1, 0, 0);
    if (const char* line = ThreeWordsLine(t)) PrintText(128, 100, line, 0, 1.5f);
  }
  glDisable(GL_BLEND);
  glColor3f(1, 1, 1);
}

void DrawLayers(float t, PassMode mode) {
  DrawExplosionFlash(t - 277, mode);
  DrawWhiteFade(t - 278, mode);
  DrawBlackFade((t - 4) * 0.25f, mode);
  glEnable(GL_BLEND);
  DrawScanlines(mode);
  glDisable(GL_BLEND);
  if (Inside(57, t, 61.5f)) DrawInvertFade(Ramp(59.5f, 60, t), mode);
  glDisable(GL_SCISSOR_TEST);
  DrawLetterbox();
}

// The letterbox bars cover their rows at the end of every frame, whatever was drawn there; what
// the scene and captions draw there reaches the picture only through the glow, whose shrink,
// blur and stretch reach 10 rows of a 600-row picture. So the shortcuts keep everything before
// the bars 16 rows clear of them (the glow's half-size passes excepted): less to fill, the same
// pixels. Drawn as written at heights the bars do not divide into whole rows.
void KeepSceneOffTheBars(PassMode mode) {
  if (mode != PassMode::shortcuts || renderSize.height % 600 != 0) return;
  constexpr int kGlowReachMargin = 16;
  const int hiddenRows = (kLetterboxBarHeight - kGlowReachMargin) * renderSize.height / 600;
  glScissor(0, hiddenRows, renderSize.width, renderSize.height - 2 * hiddenRows);
  glEnable(GL_SCISSOR_TEST);
}

void StageDone(FrameStage stage) {
  if (frameStageHook) frameStageHook(stage);
}

void CopySpectrumBands() {
  const float* spectrum = MusicGetSpectrum();
  for (int i = 0; i < kSpectrumBandCount; ++i) SpectrumBands[i] = spectrum[i];
}

}  // namespace

void (*frameStageHook)(FrameStage stage) = nullptr;

const SceneWindow kSceneWindows[] = {
    {kNoLowerBound, 61.5f, "planet", DrawPlanetScene},
    {61.5f, 85.5f, "dolphin", [] {
       DrawDolphinScene();
       DrawCaptionBand();
     }},
    {85.5f, 92.5f, "pillar field", DrawPillarFieldScene},
    {92.5f, 103, "dolphin, no band", DrawDolphinScene},
    {103, 116, "totem", DrawTotemScene},
    {116, 130, "figure orbit", DrawFigureOrbitScene},
    {130, 143, "shaft", DrawShaftScene},
    {143, 156, "deformed", DrawDeformedScene},
    {156, 161, "picture zoom", [] {
       DrawPictureZoomScene();
       DrawSpectrumLines();
     }},
    {161, 168, "metaball 0", [] { DrawMetaballScene(0); }},
    {168, 175, "metaball 1", [] { DrawMetaballScene(1); }},
    {175, 181.5f, "metaball 0", [] { DrawMetaballScene(0); }},
    {181.5f, 188.5f, "metaball 1", [] { DrawMetaballScene(1); }},
    {161, 188.5f, "spectrum bars", DrawSpectrumBars},
    {188.5f, 209, "tunnel", [] {
       DrawTunnelScene();
       DrawCaptionBand();
     }},
    {209, 216, "pillar rows 0", [] { DrawPillarRowsScene(0); }},
    {216, 222.8f, "pillar rows 1", [] { DrawPillarRowsScene(1); }},
    {222.8f, 228, "pillar rows 2", [] { DrawPillarRowsScene(2); }},
    {228, 236, "pillar rows 3", [] { DrawPillarRowsScene(3); }},
    {236, 250, "spikeball", DrawSpikeballScene},
    {250, 300, "finale", DrawFinaleScene},
};
const int kSceneWindowCount = static_cast<int>(std::size(kSceneWindows));

float DemoTimeFromMs(int ms) {
  constexpr double kSecondsPerMs = 0.001f;  // the float nearest 0.001, slightly above it
  return static_cast<float>(ms * kSecondsPerMs);
}

float Ramp(float a, float b, float x) {
  if (!(x >= a)) return 0;
  if (x >= b) return 1;
  return (x - a) / (b - a);
}

GlowParameters GlowForTime(float t) {
  if (Inside(116, t, 130)) return {3, 0, 3, 1.2f};
  if (Inside(156, t, 161)) return {2, 1, 2, 0.6f};
  if (Inside(209, t, 300)) return {3, 0, 3, 1.5f};
  return {3, 0, 3, 1};
}

const char* ThreeWordsLine(float t) {
  if (Inside(158.6f, t, 158.8f)) return "grom          ";
  if (Inside(158.8f, t, 159.3f)) return "     your     ";
  if (t > 159.3f && t < 161) return "          eyes";
  return nullptr;
}

void DrawScreenPasses(float t, PassMode mode) {
  const GlowParameters glow = GlowForTime(t);
  DrawGlow(glow.a, glow.b, glow.c, glow.d, mode);
  StageDone(FrameStage::glow);
  DrawLayers(t, mode);
}

bool DrawTimeline(PassMode mode) {
  const float t = DemoTimeFromMs(MusicGetTime());
  DemoClock = t;
  SetFramePassMode(mode);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
  glColor3f(1, 1, 1);
  KeepSceneOffTheBars(mode);
  // Every window is tested, not an else-chain: the windows never overlap but for the spectrum
  // bars, which lie over the whole metaball window.
  for (const SceneWindow& window : kSceneWindows)
    if (Inside(window.lower, t, window.upper)) window.draw();
  StageDone(FrameStage::scene);
  DrawCaptions(t);
  StageDone(FrameStage::captions);
  DrawScreenPasses(t, mode);
  StageDone(FrameStage::overlays);
  CopySpectrumBands();
  StageDone(FrameStage::bands);
  return !(t > kShowEnd);
}
