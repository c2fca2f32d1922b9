// A PNG bar chart of the windows' frame times, drawn with the show's own GL context and font.
#pragma once
#include <string>
#include <vector>

#include "bench/show/ShowBench.h"

// One row per window: the median as a bar, the 95th percentile as a tick, the floor as a grey
// bar inside it, and a red line at 16.7 ms (60 frames per second). Overwrites the framebuffer.
bool WriteFrameTimeChart(const std::string& path, const std::vector<WindowResult>& results, std::string& error);
