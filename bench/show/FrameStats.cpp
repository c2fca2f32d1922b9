// Median and nearest-rank percentile of measured frame times.
#include "bench/show/FrameStats.h"

#include <algorithm>
#include <cmath>

namespace {
double NearestRank(std::vector<double>& samples, double fraction) {
  if (samples.empty()) return 0;
  std::sort(samples.begin(), samples.end());
  const auto rank = static_cast<size_t>(std::ceil(fraction * static_cast<double>(samples.size())));
  return samples[std::clamp<size_t>(rank, 1, samples.size()) - 1];
}
}  // namespace

double Median(std::vector<double>& samples) {
  if (samples.empty()) return 0;
  std::sort(samples.begin(), samples.end());
  const size_t n = samples.size();
  return n % 2 ? samples[n / 2] : 0.5 * (samples[n / 2 - 1] + samples[n / 2]);
}

double Percentile95(std::vector<double>& samples) { return NearestRank(samples, 0.95); }
