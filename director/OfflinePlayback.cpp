// Offline playback: the frame asked for, and the replay of what the skipped frames leave. The
// show's only state between frames is the bands, the tunnel's swayed points and the GL state
// that one window's scenes leave for the next; all three are rebuilt here.
#include "director/OfflinePlayback.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "director/DemoState.h"
#include "director/Music.h"
#include "director/Startup.h"
#include "director/TimeWindow.h"
#include "director/Timeline.h"
#include "render/RenderSize.h"
#include "render/SceneView.h"
#include "scenes/TunnelScene.h"

namespace {

struct Playback {
  int fps = 0;            // the rate of the run the frame drawn last belongs to
  int lastDrawnMs = -1;   // the music position of the frame drawn last; -1 before the first
  PassMode mode = PassMode::shortcuts;
  Point3 tunnelStart[kRandomPointCount];  // the table as start-up fills it
  // The table swayed by the run's tunnel frames before swayedToFrame, kept between replays so
  // that jumps forward in one run sway only the frames since the last one.
  Point3 tunnelSwayed[kRandomPointCount];
  int swayedFps = 0;
  int64_t swayedToFrame = -1;
};
Playback playback;

bool FrameInside(const SceneWindow& window, int ms) { return Inside(window.lower, DemoTimeFromMs(ms), window.upper); }

// The last frame of the run drawn inside the window; -1 when the rate leaves it none.
int LastFrameInside(const SceneWindow& window, int fps) {
  const double upperMs = std::ceil(static_cast<double>(window.upper) * 1000);
  if (upperMs > kShowEndMs + 1000) return -1;  // the finale outlasts the show
  int64_t k = FirstRateFrameFrom(static_cast<int>(upperMs), fps);
  while (k > 0 && !(DemoTimeFromMs(RateFrameMs(k, fps)) < window.upper)) --k;
  const int ms = RateFrameMs(k, fps);
  return FrameInside(window, ms) ? ms : -1;
}

void DrawUnseen(int ms, int fps) {
  LoadBandsOfFrameAt(PreviousFrameMs(ms, fps));
  MusicSetTime(ms);
  DrawTimeline(playback.mode);
  playback.lastDrawnMs = ms;
}

// The end of the next window to close after the frame drawn last and before ms; -1 for none.
int NextSkippedWindowEnd(int ms, int fps) {
  int next = -1;
  for (int i = 0; i < kSceneWindowCount; ++i) {
    const int end = LastFrameInside(kSceneWindows[i], fps);
    if (end > playback.lastDrawnMs && end < ms && (next < 0 || end < next)) next = end;
  }
  return next;
}

// Scenes leave GL state for the next ones (the totem scene's fog, for one, stays on until its
// last second), so the last frame of every window passed is drawn unseen, in order.
void DrawSkippedWindowEnds(int ms, int fps) {
  for (int end = NextSkippedWindowEnd(ms, fps); end >= 0; end = NextSkippedWindowEnd(ms, fps)) DrawUnseen(end, fps);
}

// The table as the run's frames before ms have left it: one sway per tunnel frame. CPU only,
// about 2000 x 2 sines per frame of the tunnel's 20.5 s, continued from the last replay of the
// same run when that lies before ms.
void ReplayTunnelPoints(int ms, int fps) {
  const SceneWindow& tunnel = FindSceneWindow(SceneId::tunnel);
  const int firstMs = static_cast<int>(std::floor(static_cast<double>(tunnel.lower) * 1000));
  const int64_t endFrame = FirstRateFrameFrom(ms, fps);
  if (playback.swayedFps != fps || playback.swayedToFrame < 0 || playback.swayedToFrame > endFrame) {
    std::memcpy(playback.tunnelSwayed, playback.tunnelStart, sizeof tunnelPoints);
    playback.swayedFps = fps;
    playback.swayedToFrame = FirstRateFrameFrom(firstMs, fps);
  }
  for (int64_t& k = playback.swayedToFrame; k < endFrame; ++k) {
    const int frameMs = RateFrameMs(k, fps);
    if (!FrameInside(tunnel, frameMs)) continue;
    const float t = DemoTimeFromMs(frameMs);
    for (int i = 0; i < kRandomPointCount; ++i) SwayTunnelPoint(playback.tunnelSwayed[i], i, t);
  }
  std::memcpy(tunnelPoints, playback.tunnelSwayed, sizeof tunnelPoints);
}

// A replay from the start begins from the GL state start-up left, not from what the frames drawn
// since left behind (the pillar field's line width, for one, would reach the next run's dolphin
// and its first pillar frame). The copy is the bottom of the attribute stack, which frames leave
// balanced.
void SaveStartupGlState() { glPushAttrib(GL_ALL_ATTRIB_BITS); }

// Before a new start-up in the same context (tests and tools start several shows).
void ForgetStartupGlState() {
  GLint depth = 0;
  glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &depth);
  if (depth == 0) return;
  glPopAttrib();
}

void RestoreStartupGlState() {
  glPopAttrib();
  SaveStartupGlState();
}

// Some scenes read state that their own previous frame leaves (the pillar field draws its
// edges with the line width its sphere set a frame earlier), so the frame before is drawn
// unseen too; it also leaves the bands the frame reads.
void Replay(int ms, int fps) {
  if (fps != playback.fps || ms <= playback.lastDrawnMs) {
    RestoreStartupGlState();
    playback.lastDrawnMs = -1;
  }
  playback.fps = fps;
  DrawSkippedWindowEnds(ms, fps);
  const int previous = PreviousFrameMs(ms, fps);
  if (previous > playback.lastDrawnMs) DrawUnseen(previous, fps);
  if (previous < 0) LoadBandsOfFrameAt(-1);
  ReplayTunnelPoints(ms, fps);
}

}  // namespace

int RateFrameMs(int64_t frame, int fps) { return static_cast<int>((2000 * frame + fps) / (2 * fps)); }

int64_t FirstRateFrameFrom(int ms, int fps) {
  int64_t k = std::max<int64_t>(0, static_cast<int64_t>(ms) * fps / 1000);
  while (RateFrameMs(k, fps) < ms) ++k;
  while (k > 0 && RateFrameMs(k - 1, fps) >= ms) --k;
  return k;
}

int PreviousFrameMs(int ms, int fps) {
  const int64_t k = FirstRateFrameFrom(ms, fps);
  return k == 0 ? -1 : RateFrameMs(k - 1, fps);
}

void StartOfflineShow(int width, int height) {
  playback.fps = 0;
  playback.lastDrawnMs = -1;
  playback.swayedToFrame = -1;
  SetRenderSize(width, height);
  // The window sets the viewport and the scenes' projection before start-up; so must we.
  SetSceneView(width, height);
  UseOfflineMusic();
  ForgetStartupGlState();
  DemoStartup();
  SaveStartupGlState();
  std::memcpy(playback.tunnelStart, tunnelPoints, sizeof tunnelPoints);
}

bool DrawOfflineFrame(int ms, int fps) {
  if (ms > kShowEndMs) return false;
  if (fps != playback.fps || playback.lastDrawnMs != PreviousFrameMs(ms, fps)) Replay(ms, fps);
  MusicSetTime(ms);
  if (!DrawTimeline(playback.mode)) return false;
  playback.lastDrawnMs = ms;
  return true;
}

void SetOfflinePassMode(PassMode mode) { playback.mode = mode; }

void LoadBandsOfFrameAt(int ms) {
  if (ms < 0) {
    for (float& band : SpectrumBands) band = 0;
    return;
  }
  MusicSetTime(ms);
  CopySpectrumBands(MusicGetSpectrum());
}

int BandSourceMs(int ms, int fps) { return ms - (2000 + fps) / (2 * fps); }  // 1/fps s, rounded
