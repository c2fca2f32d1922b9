// The 17 windows: every scene, the two dolphin variants and the four pillar-row variants; the
// metaball window holds both of its views, which alternate within it.
#include "bench/show/BenchWindows.h"

#include <cmath>
#include <iterator>

const BenchWindow kBenchWindows[] = {
    {"planet", 0, 61.5f},         {"dolphin", 61.5f, 85.5f},      {"pillar field", 85.5f, 92.5f},
    {"dolphin without band", 92.5f, 103}, {"totem", 103, 116},        {"figure orbit", 116, 130},
    {"shaft", 130, 143},          {"deformed", 143, 156},         {"picture zoom", 156, 161},
    {"metaballs", 161, 188.5f},   {"tunnel", 188.5f, 209},        {"pillar rows 0", 209, 216},
    {"pillar rows 1", 216, 222.8f}, {"pillar rows 2", 222.8f, 228}, {"pillar rows 3", 228, 236},
    {"spikeball", 236, 250},      {"finale", 250, 282},
};
const int kBenchWindowCount = static_cast<int>(std::size(kBenchWindows));

void SampleTimesMs(const BenchWindow& window, int count, std::vector<int>& ms) {
  ms.clear();
  const double from = window.from * 1000.0, span = (window.to - window.from) * 1000.0;
  for (int i = 0; i < count; ++i) ms.push_back(static_cast<int>(std::lround(from + (i + 0.5) * span / count)));
}

const BenchWindow* FindBenchWindow(const std::string& name) {
  for (int i = 0; i < kBenchWindowCount; ++i)
    if (name == kBenchWindows[i].name) return &kBenchWindows[i];
  return nullptr;
}
