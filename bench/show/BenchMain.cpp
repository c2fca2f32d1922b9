// vexilograph-bench: start-up first (so it is the process's own), then every window, then
// memory; a table on stdout, the CSV and optionally the chart.
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/show/BenchChart.h"
#include "bench/show/BenchOptions.h"
#include "bench/show/BenchReport.h"
#include "bench/show/FullScreenQuad.h"
#include "bench/show/ShowBench.h"
#include "bench/show/StartupTiming.h"
#include "platform/HeadlessGl.h"
#include "render/glow/Glow.h"

namespace {

double PeakRssMb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB
}

double TotalAllocationsPerFrame(const std::vector<WindowResult>& results) {
  double allocations = 0, frames = 0;
  for (const WindowResult& r : results) {
    allocations += r.allocationsPerFrame * r.frames;
    frames += r.frames;
  }
  return frames > 0 ? allocations / frames : 0;
}

}  // namespace

int main(int argc, char** argv) {
  const BenchParseResult parsed = ParseBenchArguments(std::vector<std::string>(argv + 1, argv + argc));
  if (parsed.status == BenchParse::help) {
    std::fputs(BenchUsage(), stdout);
    return 0;
  }
  if (parsed.status == BenchParse::usageError) {
    std::fprintf(stderr, "vexilograph-bench: %s\n%s", parsed.error.c_str(), BenchUsage());
    return 2;
  }
  const BenchOptions& options = parsed.options;

  HeadlessGl gl;
  StartupTimes startup;
  std::string error;
  if (!TimeStartup(gl, 0, startup, error)) {
    std::fprintf(stderr, "vexilograph-bench: %s\n", error.c_str());
    return 1;
  }
  MemoryUse memory;
  memory.startupRssMb = PeakRssMb();
  // The show runs the glow's self-check over its first frames; the windows are measured after.
  FinishGlowShortcutCheck();

  const GlowShortcutsInUse glow = CheckedGlowShortcuts();
  std::printf("self-check: glow sums %s, half targets %s; under fog, of 2 fog ranges: sums in %d, one-pass "
              "layers in %d, one-pass blur in %d, half targets in %d\n",
              glow.sums ? "on" : "off", glow.targets ? "on" : "off", glow.foggedSums, glow.foggedLayers,
              glow.foggedBlur, glow.foggedTargets);
  CreateFullScreenQuad();
  std::vector<WindowResult> results;
  for (int i = 0; i < kBenchWindowCount; ++i) {
    const BenchWindow& window = kBenchWindows[i];
    if (!options.windows.empty() && std::find(options.windows.begin(), options.windows.end(), window.name) ==
                                        options.windows.end())
      continue;
    results.emplace_back();
    MeasureWindow(window, options.frames, results.back());
    std::fprintf(stderr, "  %-21s %7.2f ms %5.1f FSQ\n", window.name, results.back().medianMs,
                 InFsq(results.back(), results.back().medianMs));
  }
  memory.peakRssMb = PeakRssMb();

  PrintWindowTable(stdout, results);
  PrintStartup(stdout, startup);
  PrintMemory(stdout, memory, TotalAllocationsPerFrame(results));
  if (!WriteWindowCsv(options.csvPath, results)) {
    std::fprintf(stderr, "vexilograph-bench: cannot write %s\n", options.csvPath.c_str());
    return 1;
  }
  if (!options.chartPath.empty() && !WriteFrameTimeChart(options.chartPath, results, error)) {
    std::fprintf(stderr, "vexilograph-bench: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
