// The show in a browser: the page calls vexStart once the listener has clicked OK (sound may
// start only then), and the browser calls one frame per display refresh. vexFrameAt is the
// page's test hook: the frame at a fixed music position, drawn as the capture tool draws it.
#include <emscripten.h>

#include <cmath>

#include "director/DemoState.h"
#include "director/Music.h"
#include "director/Timeline.h"
#include "platform/LiveAudio.h"
#include "platform/ShellPlatform.h"
#include "platform/webgl/WebAudio.h"
#include "shell/BannerImage.h"
#include "shell/DemoHooks.h"
#include "shell/Window.h"

namespace {

KeyState keyState;
AppInstance instance{kAppClassName};
AppWindow window = {};

// Tells the page the show is over (Escape, F1, or its end) so it can show its controls again.
EM_JS(void, NotifyShowEnded, (), {
  if (Module.onShowEnded) Module.onShowEnded();
});

void EndShow() {
  emscripten_cancel_main_loop();
  CloseAudio();
  NotifyShowEnded();
}

// The frame loop's body: the events since the last frame, the keys, then one frame. A page
// cannot exit, so the frame that passes the end of the show ends the loop instead.
void Frame() {
  ShellEvent event;
  while (PollShellEvent(event)) {
    if (event.type == ShellEventType::quit) {
      EndShow();
      return;
    }
    AppWindowProc(window, event);
  }
  const uint32_t now = ShellTicks();
  DemoUpdate(now - window.lastTick);
  window.lastTick = now;
  if (!DrawTimeline()) {
    EndShow();
    return;
  }
  SwapShellBuffers(window.window);
}

// What the test hook has drawn last, for the state scenes leave to the next (see below).
int lastDrawnMs = -1;

// The music position of the frame drawn 1/60 s before one at ms, whose spectrum it reads.
int BandSourceMs(int ms) { return ms - 17; }

void LoadBandsOfFrameAt(int ms) {
  if (ms < 0) {
    for (float& band : SpectrumBands) band = 0;
    return;
  }
  MusicSetTime(ms);
  const float* spectrum = MusicGetSpectrum();
  for (int i = 0; i < kSpectrumBandCount; ++i) SpectrumBands[i] = spectrum[i];
}

// Scenes leave GL state to the next (the totem scene's fog): before a frame that jumps ahead,
// the last frame of every window passed on the way is drawn, unseen, as in playback.
void DrawSkippedWindowEnds(int ms) {
  if (ms < lastDrawnMs) lastDrawnMs = -1;
  for (;;) {
    int next = -1;
    for (int i = 0; i < kSceneWindowCount; ++i) {
      const int end = BandSourceMs(static_cast<int>(std::lround(kSceneWindows[i].upper * 1000.0)));
      if (end > lastDrawnMs && end < ms && (next < 0 || end < next)) next = end;
    }
    if (next < 0) return;
    LoadBandsOfFrameAt(BandSourceMs(next));
    MusicSetTime(next);
    DrawTimeline();
    lastDrawnMs = next;
  }
}

}  // namespace

extern "C" {

// Starts the show on the page's canvas: 1 when it runs, 0 when WebGL 2 is missing. With
// testOnly the frame loop stays off and the clock is held for vexFrameAt.
EMSCRIPTEN_KEEPALIVE int vexStart(int testOnly) {
  for (int& key : keyState) key = 0;
  window.keys = keyState;
  window.instance = &instance;
  window.title = kAppTitle;
  window.width = 800;
  window.height = 600;
  window.bits = 32;
  window.fullScreen = 0;  // the page makes the canvas full screen itself
  if (!RegisterAppClass(instance) || !CreateAppWindow(window)) return 0;
  DemoInitialize(window, keyState);
  if (testOnly) {
    HoldWebAudioClock(true);
    return 1;
  }
  emscripten_set_main_loop(Frame, 0, 0);
  return 1;
}

// The test hook: draws the frame at music position ms with the bands of the frame before it;
// 0 past the end of the show.
EMSCRIPTEN_KEEPALIVE int vexFrameAt(int ms) {
  if (ms > kShowEndMs) return 0;
  DrawSkippedWindowEnds(ms);
  LoadBandsOfFrameAt(BandSourceMs(ms));
  MusicSetTime(ms);
  if (!DrawTimeline()) return 0;
  SwapShellBuffers(window.window);
  lastDrawnMs = ms;
  return 1;
}

// The music position the show reads now, in ms.
EMSCRIPTEN_KEEPALIVE int vexMusicMs() { return MusicGetTime(); }

// The dialog's banner for the page: kBannerWidth x kBannerHeight RGB, top row first.
EMSCRIPTEN_KEEPALIVE const unsigned char* vexBannerRgb() { return kBannerRgb; }
EMSCRIPTEN_KEEPALIVE int vexBannerWidth() { return kBannerWidth; }
EMSCRIPTEN_KEEPALIVE int vexBannerHeight() { return kBannerHeight; }

}  // extern "C"
