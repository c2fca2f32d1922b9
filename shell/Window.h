// The window, its GL context and projection, and the handling of its events.
#pragma once
#include "platform/ShellPlatform.h"
#include "shell/AppWindow.h"

// The record as the program starts: zeroed, both key tables cleared and linked, 800 x 600 at
// 32 bits, full screen asked for.
void FillAppWindowDefaults(AppWindow& window, AppInstance& instance, KeyState keys, KeyPresses presses);
// Stands for registering the window class: brings up the windowing system.
bool RegisterAppClass(AppInstance& instance);
bool SwitchDisplayMode(int width, int height, int bits, int display);
// On true the window is shown, its context current and the viewport set.
bool CreateAppWindow(AppWindow& window);
// A new drawable size: the picture's 4:3 rectangle in it, and the viewport (0, 0) to the render
// size with the 45-degree perspective every scene draws with.
void ReshapeViewport(int width, int height);
void AppWindowProc(AppWindow& window, const ShellEvent& event);
