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
  AppWindow window;
  FillAppWindowDefaults(window, instance, keyState, keyPresses);

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
