// The start sequence and the frame loop.
#include "shell/AppEntry.h"

#include <cstdlib>

#include "shell/DemoHooks.h"
#include "shell/SettingsDialog.h"
#include "shell/Window.h"

namespace {

KeyState keyState;
KeyPresses keyPresses;

// Empties the queue, then draws one frame whenever it is empty and the window is visible;
// while minimised it blocks until the next event.
void RunFrameLoop(AppWindow& window) {
  for (;;) {
    ShellEvent event;
    if (PollShellEvent(event)) {
      if (event.type == ShellEventType::quit) break;
      if (event.type == ShellEventType::terminate) std::exit(event.status);
      AppWindowProc(window, event);
      continue;
    }
    if (!window.visible) {
      WaitShellEvent();
      continue;
    }
    const uint32_t now = ShellTicks();
    DemoUpdate(now - window.lastTick);
    window.lastTick = now;
    DemoDraw();
    SwapShellBuffers(window.window);
  }
}

}  // namespace

int RunApp() {
  AppInstance instance{kAppClassName};
  for (int& key : keyState) key = 0;
  for (int& key : keyPresses) key = 0;
  AppWindow window = {};
  window.keys = keyState;
  window.keyPresses = keyPresses;
  window.instance = &instance;
  window.title = kAppTitle;
  window.width = 800;
  window.height = 600;
  window.bits = 32;
  window.fullScreen = 1;

  // The dialog needs the windowing system; where there is none, the registration below reports it.
  const bool haveVideo = RegisterAppClass(instance);
  if (haveVideo) RunSettingsDialog(window);
  if (!haveVideo) {
    ShowShellWarning("Error", "RegisterClassEx Failed!");
    ShowShellWarning("Error", "Error Registering Window Class!");
    return -1;
  }
  if (!CreateAppWindow(window)) {
    ShowShellWarning("Error", "Error Creating OpenGL Window");
    return 0;
  }
  DemoInitialize(window, keyState);
  RunFrameLoop(window);
  DemoShutdown();
}
