// Window creation (windowed or full screen), the projection, and the window's event handling.
#include "shell/Window.h"

#include "platform/Gl.h"
#include "render/SceneView.h"

void FillAppWindowDefaults(AppWindow& window, AppInstance& instance, KeyState keys, KeyPresses presses) {
  for (int key = 0; key < kKeyCount; ++key) keys[key] = presses[key] = 0;
  window = AppWindow{};
  window.keys = keys;
  window.keyPresses = presses;
  window.instance = &instance;
  window.title = kAppTitle;
  window.width = 800;
  window.height = 600;
  window.bits = 32;
  window.fullScreen = 1;
}

bool RegisterAppClass(AppInstance&) { return InitShellVideo(); }

bool SwitchDisplayMode(int width, int height, int bits) { return SwitchShellDisplayMode(width, height, bits); }

bool CreateAppWindow(AppWindow& window) {
  // After a failed mode switch the window gets an 800 x 600 client area, like any windowed
  // start, on purpose: an 800 x 600 outer size would hide the picture's top behind a client area
  // smaller than the viewport until the viewer resized the window.
  if (window.fullScreen && !SwitchDisplayMode(window.width, window.height, window.bits)) {
    ShowShellWarning("Error", "Mode Switch Failed.\nRunning In Windowed Mode.");
    window.fullScreen = 0;
  }
  window.window = CreateShellWindow(window.title, window.width, window.height, window.fullScreen != 0);
  if (!window.window) return false;
  ShowShellWindow(window.window);
  window.visible = 1;
  ReshapeViewport(window.width, window.height);
  for (int key = 0; key < kKeyCount; ++key) window.keys[key] = window.keyPresses[key] = 0;
  window.lastTick = ShellTicks();
  return true;
}

void ReshapeViewport(int width, int height) { SetSceneView(width, height); }

void AppWindowProc(AppWindow& window, const ShellEvent& event) {
  switch (event.type) {
    case ShellEventType::resized:
      window.visible = 1;
      if (event.width > 0 && event.height > 0) ReshapeViewport(event.width, event.height);
      break;
    case ShellEventType::minimized:
      window.visible = 0;
      break;
    case ShellEventType::closeRequest:
      RequestQuit(window);
      break;
    case ShellEventType::keyDown:
      if (event.virtualKey > 0 && event.virtualKey < kKeyCount) {
        window.keys[event.virtualKey] = 1;
        window.keyPresses[event.virtualKey] = 1;
      }
      break;
    case ShellEventType::keyUp:
      if (event.virtualKey > 0 && event.virtualKey < kKeyCount) window.keys[event.virtualKey] = 0;
      break;
    case ShellEventType::userMessage:
      RequestQuit(window);
      break;
    case ShellEventType::quit:
    case ShellEventType::terminate:
    case ShellEventType::ignored:
      break;
  }
}
