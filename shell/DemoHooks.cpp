// The demo side of the shell: start-up, keys, and one frame.
#include "shell/DemoHooks.h"

#include <cstdlib>

#include "director/Seek.h"
#include "director/Startup.h"
#include "platform/Gl.h"
#include "shell/KeyActions.h"
#include "shell/ShownPicture.h"
#include "shell/Window.h"

namespace {
AppWindow* demoWindow = nullptr;
int* demoKeys = nullptr;
}  // namespace

bool DemoInitialize(AppWindow& window, int* keys) {
  demoWindow = &window;
  demoKeys = keys;
  DemoStartup();
  return true;
}

void DemoUpdate(uint32_t) {
  KeyAction actions[kMaxKeyActions];
  const int count = CollectKeyActions(demoKeys, demoWindow->keyPresses, actions);
  for (int key = 0; key < kKeyCount; ++key) demoWindow->keyPresses[key] = 0;
  for (int i = 0; i < count; ++i) {
    switch (actions[i].type) {
      case KeyActionType::requestQuit:
        RequestQuit(*demoWindow);
        break;
      case KeyActionType::postUserMessage:
        PostUserMessage(*demoWindow);
        break;
      case KeyActionType::seek:
        SeekMusic(actions[i].seekOffsetMs);
        break;
    }
  }
}

void DemoDraw() {
  // The frame that passes the end of the show is never shown. The renderer still finishes it
  // before the process ends: llvmpipe torn down by the exit handlers with a frame in flight can
  // leave one of its threads waiting for the other for ever.
  if (!DrawShownTimeline()) {
    glFinish();
    std::exit(0);
  }
  glFlush();
}

void DemoShutdown() { std::exit(0); }
