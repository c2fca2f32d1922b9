// Small measuring helpers for the synthesiser tests.
#pragma once
#include <cmath>
#include <vector>

// Magnitude of one frequency in a Hann-windowed block, scaled so that a sine of amplitude A
// reads A.
inline double ToneLevel(const std::vector<float>& x, double hz, double sampleRate) {
  const double pi = 3.14159265358979323846;
  double re = 0.0, im = 0.0, windowSum = 0.0;
  const size_t n = x.size();
  for (size_t i = 0; i < n; ++i) {
    const double w = 0.5 - 0.5 * std::cos(2.0 * pi * i / n);
    re += w * x[i] * std::cos(2.0 * pi * hz * i / sampleRate);
    im += w * x[i] * std::sin(2.0 * pi * hz * i / sampleRate);
    windowSum += w;
  }
  return 2.0 * std::sqrt(re * re + im * im) / windowSum;
}

inline double Rms(const std::vector<float>& x, size_t from, size_t to) {
  double sum = 0.0;
  for (size_t i = from; i < to && i < x.size(); ++i) sum += double{x[i]} * x[i];
  return to > from ? std::sqrt(sum / (to - from)) : 0.0;
}

inline double Db(double gain) { return 20.0 * std::log10(std::max(gain, 1e-12)); }

// Average frequency from rising zero crossings over [from, to).
inline double ZeroCrossingHz(const std::vector<float>& x, size_t from, size_t to, double sampleRate) {
  size_t first = 0, last = 0;
  int count = 0;
  for (size_t i = from + 1; i < to && i < x.size(); ++i) {
    if (x[i - 1] < 0.f && x[i] >= 0.f) {
      if (count == 0) first = i;
      last = i;
      ++count;
    }
  }
  return count > 1 ? (count - 1) * sampleRate / static_cast<double>(last - first) : 0.0;
}
