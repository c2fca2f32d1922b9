// The show's timeline windows as the bench measures them: one per scene and variant.
#pragma once
#include <string>
#include <vector>

struct BenchWindow {
  const char* name;
  float from;  // seconds
  float to;
};

extern const BenchWindow kBenchWindows[];
extern const int kBenchWindowCount;

// The window of that name, or null.
const BenchWindow* FindBenchWindow(const std::string& name);

// count music positions (ms) spread evenly over the window, each in the middle of its share,
// so none lands on a bound where no scene is drawn.
void SampleTimesMs(const BenchWindow& window, int count, std::vector<int>& ms);
