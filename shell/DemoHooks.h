// The four hooks the shell calls around the frame loop.
#pragma once
#include <cstdint>

#include "shell/AppWindow.h"

// Stores the window and key table and runs the director's start-up. Always true.
bool DemoInitialize(AppWindow& window, int* keys);
// Acts on the keys held now or pressed since the previous frame; the elapsed time is not used.
void DemoUpdate(uint32_t elapsedMs);
// The director's frame and a flush; ends the process with status 0 once the show is over.
void DemoDraw();
// Ends the process with status 0.
[[noreturn]] void DemoShutdown();
