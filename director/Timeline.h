// The director's frame: demo time from the music, the scene of its window, captions, glow, layers.
#pragma once

#include "render/PassMode.h"

// The show ends once the demo time passes this, in seconds.
constexpr float kShowEnd = 282;
constexpr int kShowEndMs = 282000;

// Draws one frame. Returns false, without finishing the frame, once the demo time passes 282 s:
// the show is over and the caller ends it. The screen-space passes are drawn in mode (the
// same pixels either way).
bool DrawTimeline(PassMode mode = PassMode::shortcuts);

// The frame's passes over the whole picture, after the captions: the glow with the window's
// parameters, then the flash, fades, scanlines, inversion and letterbox.
void DrawScreenPasses(float t, PassMode mode = PassMode::shortcuts);

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

// One timed slot of the show: drawn in every frame with lower < t < upper.
struct SceneWindow {
  float lower;
  float upper;
  const char* name;
  void (*draw)();
};
// In timeline order; includes the overlays that belong to a window (caption band, spectrum).
extern const SceneWindow kSceneWindows[];
extern const int kSceneWindowCount;

struct GlowParameters {
  float a, b, c, d;
};
GlowParameters GlowForTime(float t);

// The line of the three words shown one after another in 156-161 s; nullptr when none is due.
const char* ThreeWordsLine(float t);
