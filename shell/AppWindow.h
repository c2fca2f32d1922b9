// The program's one window record and its key table.
#pragma once
#include <cstdint>

struct PlatformWindow;

constexpr int kKeyCount = 256;
// 1 while the key with that virtual-key code is down. Written by the window's event handler only.
using KeyState = int[kKeyCount];
// The same table for presses: 1 once the key went down since the previous frame's update, which
// clears it. A key pressed and released between two frames still acts in the next one.
using KeyPresses = int[kKeyCount];

struct AppInstance {
  const char* className;
};

struct AppWindow {
  int* keys;                // the KeyState table
  int* keyPresses;          // the KeyPresses table
  PlatformWindow* window;   // the window with its GL context
  AppInstance* instance;
  const char* title;
  int width;
  int height;
  int bits;
  int fullScreen;           // 1 until the dialog or a failed mode switch says otherwise
  int display;              // the screen the dialog was shown on; the show opens there
  int visible;              // frames are drawn only while 1
  uint32_t lastTick;        // ShellTicks() at the previous frame
};

constexpr const char* kAppTitle = "The Vexilograph";
// The name the window class is registered under on Windows. SDL has no window classes, so
// nothing reads it here: RegisterAppClass brings up SDL's video instead.
constexpr const char* kAppClassName = "OpenGL";
