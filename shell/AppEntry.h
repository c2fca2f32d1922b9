// The start sequence: settings dialog, window and context, start-up hook, frame loop.
#pragma once

// Returns the process status for the failures that end before the show: -1 when the windowing
// system cannot be initialised, 0 when the window or its context cannot be made. Every other
// ending leaves through exit(0).
int RunApp();
