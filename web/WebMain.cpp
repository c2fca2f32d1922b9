// The show in a browser: the page calls vexStart once the listener has clicked OK (sound may
// start only then), and the browser calls one frame per display refresh. vexFrameAt is the
// page's test hook: the frame at a set music position, drawn as the capture tool draws it, then
// shown in the canvas as a live frame is.
#include <emscripten.h>

#include "director/Music.h"
#include "director/OfflinePlayback.h"
#include "platform/LiveAudio.h"
#include "platform/ShellPlatform.h"
#include "shell/BannerImage.h"
#include "shell/DemoHooks.h"
#include "shell/ShownPicture.h"
#include "shell/Window.h"

namespace {

KeyState keyState;
KeyPresses keyPresses;
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

int framesShown = 0;

// The events since the last frame; false once the show must end.
bool TakeEvents() {
  ShellEvent event;
  while (PollShellEvent(event)) {
    if (event.type == ShellEventType::quit) return false;
    AppWindowProc(window, event);
  }
  return true;
}

// The frame loop's body: the events since the last frame, the keys, then one frame. A page
// cannot exit, so the frame that passes the end of the show ends the loop instead.
void Frame() {
  if (!TakeEvents()) {
    EndShow();
    return;
  }
  const uint32_t now = ShellTicks();
  DemoUpdate(now - window.lastTick);
  window.lastTick = now;
  if (!DrawShownTimeline()) {
    EndShow();
    return;
  }
  SwapShellBuffers(window.window);
  ++framesShown;
}

}  // namespace

extern "C" {

// Starts the show on the page's canvas: 1 when it runs, 0 when WebGL 2 is missing. With
// testOnly the frame loop stays off and the show runs on the offline clock for vexFrameAt.
EMSCRIPTEN_KEEPALIVE int vexStart(int testOnly) {
  FillAppWindowDefaults(window, instance, keyState, keyPresses);
  window.fullScreen = 0;  // the page makes the canvas full screen itself
  if (!RegisterAppClass(instance) || !CreateAppWindow(window)) return 0;
  if (testOnly) {
    StartOfflineShow(window.width, window.height);
    return 1;
  }
  DemoInitialize(window, keyState);
  emscripten_set_main_loop(Frame, 0, 0);
  return 1;
}

// The test hook: draws the frame at music position ms exactly as the capture tool does (a run
// at 60 frames per second); 0 past the end of the show.
EMSCRIPTEN_KEEPALIVE int vexFrameAt(int ms) {
  TakeEvents();
  BeginShownFrame();
  if (!DrawOfflineFrame(ms, 60)) return 0;
  EndShownFrame();
  SwapShellBuffers(window.window);
  return 1;
}

// The page's frame counter and the show's music position, for the frame-rate benchmark.
EMSCRIPTEN_KEEPALIVE int vexFramesShown() { return framesShown; }
EMSCRIPTEN_KEEPALIVE int vexShowMs() { return MusicGetTime(); }

// The dialog's banner for the page: kBannerWidth x kBannerHeight RGB, top row first.
EMSCRIPTEN_KEEPALIVE const unsigned char* vexBannerRgb() { return kBannerRgb; }
EMSCRIPTEN_KEEPALIVE int vexBannerWidth() { return kBannerWidth; }
EMSCRIPTEN_KEEPALIVE int vexBannerHeight() { return kBannerHeight; }

}  // extern "C"
