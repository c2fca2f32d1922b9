// Window creation (windowed or full screen), the projection, and the window's event handling.
#include "shell/Window.h"

#include "render/RenderSize.h"
#include "render/SceneView.h"
#include "shell/ShownPicture.h"

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

// The show is drawn at 4:3 into the screen's own mode, so width, height and bits need no mode.
bool SwitchDisplayMode(int, int, int, int display) { return SwitchShellDisplayMode(display); }

bool CreateAppWindow(AppWindow& window) {
  // After a failed switch the window gets an 800 x 600 client area, like any windowed start.
  if (window.fullScreen && !SwitchDisplayMode(window.width, window.height, window.bits, window.display)) {
    ShowShellWarning("Error", "Mode Switch Failed.\nRunning In Windowed Mode.");
    window.fullScreen = 0;
  }
  window.window =
      CreateShellWindow(window.title, window.width, window.height, window.fullScreen != 0, window.display);
  if (!window.window) return false;
  ShowShellWindow(window.window);
  window.visible = 1;
  int drawableWidth = 0;
  int drawableHeight = 0;
  ClientSize(window.window, drawableWidth, drawableHeight);
  ChooseShownPictureSize(drawableWidth, drawableHeight);
  for (int key = 0; key < kKeyCount; ++key) window.keys[key] = window.keyPresses[key] = 0;
  window.lastTick = ShellTicks();
  return true;
}

void ReshapeViewport(int width, int height) {
  FollowDrawableSize(width, height);
  SetSceneView(renderSize.width, renderSize.height);
}

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
    case ShellEventType::ignored:
      break;
  }
}
