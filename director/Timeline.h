// The director's frame: demo time from the music, the scene of its window, captions, glow, layers.
#pragma once

#include "render/PassMode.h"

// The show ends once the demo time passes this, in seconds.
constexpr float kShowEnd = 282;
constexpr int kShowEndMs = 282000;
// The opening's black fade covers the whole picture up to this demo time, then clears over 4 s.
constexpr float kOpeningFadeStart = 4;

// Draws one frame. Returns false, without finishing the frame, once the demo time passes 282 s:
// the show is over and the caller ends it. The frame is drawn in mode (the same pixels either
// way), which it sets as the frame's pass mode for everything it draws.
bool DrawTimeline(PassMode mode = PassMode::shortcuts);

// The frame's passes over the whole picture, after the captions, in the frame's pass mode: the
// glow with the window's settings, then the flash, fades, scanlines, inversion and letterbox.
void DrawScreenPasses(float t);

// The parts of a frame, in drawing order.
enum class FrameStage { scene, captions, glow, overlays, bands };
// Called, when set, right after each stage of DrawTimeline: lets a measurement see where a
// frame's time goes without changing what is drawn or in which order.
extern void (*frameStageHook)(FrameStage stage);

// 0 below a (or when x is not a number), 1 from b on, (x - a) / (b - a) between.
float Ramp(float a, float b, float x);

// Demo time of a music position: ms times the float nearest 0.001, formed in double and
// rounded to float once (so 61500 ms lands one float step above 61.5).
float DemoTimeFromMs(int ms);

// Which slot of the show a window is, for code that needs one of them.
enum class SceneId {
  planet, dolphin, pillarField, dolphinNoBand, totem, figureOrbit, shaft, deformed, pictureZoom,
  metaball0, metaball1, metaball0Again, metaball1Again, spectrumBars, tunnel,
  pillarRows0, pillarRows1, pillarRows2, pillarRows3, spikeball, finale
};

// One timed slot of the show: drawn in every frame with lower < t < upper.
struct SceneWindow {
  SceneId id;
  float lower;
  float upper;
  const char* name;  // for people: reports, benchmarks, options
  void (*draw)();
};
// In timeline order; includes the overlays that belong to a window (caption band, spectrum).
extern const SceneWindow kSceneWindows[];
extern const int kSceneWindowCount;
const SceneWindow& FindSceneWindow(SceneId id);

// The line of the three words shown one after another in 156-161 s; nullptr when none is due.
const char* ThreeWordsLine(float t);
