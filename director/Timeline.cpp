// The frame: demo time, scene by window, captions, glow, fades, scanlines, letterbox, bands.
#include "director/Timeline.h"

#include <iterator>

#include "director/DemoState.h"
#include "director/Music.h"
#include "director/ShowLook.h"
#include "director/TimeWindow.h"
#include "metaballs/MetaballScene.h"
#include "render/Font.h"
#include "platform/Gl.h"
#include "render/Overlays.h"
#include "render/PassMode.h"
#include "render/RenderSize.h"
#include "render/glow/Glow.h"
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

void DrawLayers(float t) {
  DrawExplosionFlash(t - 277);
  DrawWhiteFade(t - 278);
  DrawBlackFade((t - kOpeningFadeStart) * 0.25f);
  glEnable(GL_BLEND);
  DrawScanlines();
  glDisable(GL_BLEND);
  if (Inside(57, t, 61.5f)) DrawInvertFade(Ramp(59.5f, 60, t));
  glDisable(GL_SCISSOR_TEST);
  DrawLetterbox();
}

// The letterbox bars cover their rows at the end of every frame, whatever was drawn there; what
// the scene and captions draw there reaches the picture only through the glow, whose shrink,
// blur and stretch reach 10 rows of a 600-row picture. So the shortcuts keep everything before
// the bars 16 rows clear of them (the glow's half-size passes excepted): less to fill, the same
// pixels. Drawn as written at heights the bars do not divide into whole rows.
void KeepSceneOffTheBars() {
  if (FramePassMode() != PassMode::shortcuts || renderSize.height % 600 != 0) return;
  constexpr int kGlowReachMargin = 16;
  const int hiddenRows = (kLetterboxBarHeight - kGlowReachMargin) * renderSize.height / 600;
  glScissor(0, hiddenRows, renderSize.width, renderSize.height - 2 * hiddenRows);
  glEnable(GL_SCISSOR_TEST);
}

void StageDone(FrameStage stage) {
  if (frameStageHook) frameStageHook(stage);
}

}  // namespace

void (*frameStageHook)(FrameStage stage) = nullptr;

const SceneWindow kSceneWindows[] = {
    {SceneId::planet, kNoLowerBound, 61.5f, "planet", DrawPlanetScene},
    {SceneId::dolphin, 61.5f, 85.5f, "dolphin", [] {
       DrawDolphinScene();
       DrawCaptionBand();
     }},
    {SceneId::pillarField, 85.5f, 92.5f, "pillar field", DrawPillarFieldScene},
    {SceneId::dolphinNoBand, 92.5f, 103, "dolphin, no band", DrawDolphinScene},
    {SceneId::totem, 103, 116, "totem", DrawTotemScene},
    {SceneId::figureOrbit, 116, 130, "figure orbit", DrawFigureOrbitScene},
    {SceneId::shaft, 130, 143, "shaft", DrawShaftScene},
    {SceneId::deformed, 143, 156, "deformed", DrawDeformedScene},
    {SceneId::pictureZoom, 156, 161, "picture zoom", [] {
       DrawPictureZoomScene();
       DrawSpectrumLines();
     }},
    {SceneId::metaball0, 161, 168, "metaball 0", [] { DrawMetaballScene(0); }},
    {SceneId::metaball1, 168, 175, "metaball 1", [] { DrawMetaballScene(1); }},
    {SceneId::metaball0Again, 175, 181.5f, "metaball 0", [] { DrawMetaballScene(0); }},
    {SceneId::metaball1Again, 181.5f, 188.5f, "metaball 1", [] { DrawMetaballScene(1); }},
    {SceneId::spectrumBars, 161, 188.5f, "spectrum bars", DrawSpectrumBars},
    {SceneId::tunnel, 188.5f, 209, "tunnel", [] {
       DrawTunnelScene();
       DrawCaptionBand();
     }},
    {SceneId::pillarRows0, 209, 216, "pillar rows 0", [] { DrawPillarRowsScene(0); }},
    {SceneId::pillarRows1, 216, 222.8f, "pillar rows 1", [] { DrawPillarRowsScene(1); }},
    {SceneId::pillarRows2, 222.8f, 228, "pillar rows 2", [] { DrawPillarRowsScene(2); }},
    {SceneId::pillarRows3, 228, 236, "pillar rows 3", [] { DrawPillarRowsScene(3); }},
    {SceneId::spikeball, 236, 250, "spikeball", DrawSpikeballScene},
    {SceneId::finale, 250, 300, "finale", DrawFinaleScene},
};
const int kSceneWindowCount = static_cast<int>(std::size(kSceneWindows));

const SceneWindow& FindSceneWindow(SceneId id) {
  for (const SceneWindow& window : kSceneWindows)
    if (window.id == id) return window;
  return kSceneWindows[0];  // every id has its window: the table lists them all
}

float DemoTimeFromMs(int ms) {
  constexpr double kSecondsPerMs = 0.001f;  // the float nearest 0.001, slightly above it
  return static_cast<float>(ms * kSecondsPerMs);
}

float Ramp(float a, float b, float x) {
  if (!(x >= a)) return 0;
  if (x >= b) return 1;
  return (x - a) / (b - a);
}

const char* ThreeWordsLine(float t) {
  if (Inside(158.6f, t, 158.8f)) return "grom          ";
  if (Inside(158.8f, t, 159.3f)) return "     your     ";
  if (t > 159.3f && t < 161) return "          eyes";
  return nullptr;
}

void DrawScreenPasses(float t) {
  const GlowSettings glow = GlowForTime(t);
  DrawGlow(glow.radius, glow.powerPasses, glow.layers, glow.gain);
  StageDone(FrameStage::glow);
  DrawLayers(t);
}

bool DrawTimeline(PassMode mode) {
  ContinueGlowShortcutCheckBeforeFrame();
  const float t = DemoTimeFromMs(MusicGetTime());
  DemoClock = t;
  SetFramePassMode(mode);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
  glColor3f(1, 1, 1);
  KeepSceneOffTheBars();
  // Every window is tested, not an else-chain: the windows never overlap but for the spectrum
  // bars, which lie over the whole metaball window.
  for (const SceneWindow& window : kSceneWindows)
    if (Inside(window.lower, t, window.upper)) window.draw();
  StageDone(FrameStage::scene);
  DrawCaptions(t);
  StageDone(FrameStage::captions);
  DrawScreenPasses(t);
  StageDone(FrameStage::overlays);
  CopySpectrumBands(MusicGetSpectrum());
  StageDone(FrameStage::bands);
  return !(t > kShowEnd);
}
