// The bench's results as a table on stdout and as CSV, one row per window.
#pragma once
#include <cstdio>
#include <string>
#include <vector>

#include "bench/show/ShowBench.h"
#include "bench/show/StartupTiming.h"

struct MemoryUse {
  double peakRssMb = 0;
  double startupRssMb = 0;  // resident after the first frame
};

void PrintWindowTable(std::FILE* out, const std::vector<WindowResult>& results);
void PrintStartup(std::FILE* out, const StartupTimes& times);
void PrintMemory(std::FILE* out, const MemoryUse& memory, double allocationsPerFrame);

// Header window,from_s,to_s,frames,median_ms,p95_ms,... then one row per window.
bool WriteWindowCsv(const std::string& path, const std::vector<WindowResult>& results);
