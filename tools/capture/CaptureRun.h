// The capture tool after parsing: outputs checked, context made, show started, form run.
#pragma once
#include <string>

#include "tools/capture/CaptureOptions.h"

// Refuses existing outputs, makes the context, runs start-up and the chosen form. Returns the
// process status (0; 1 with a message in error; 2 when the size is beyond the renderer, named
// in error; 130 when Ctrl-C ended a sequence early, its file finished); progress and a summary
// go to stderr.
int RunCapture(const CaptureOptions& options, std::string& error);
