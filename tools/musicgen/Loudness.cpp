// K-weighting coefficients are derived for any sample rate from the analogue prototypes that
// reproduce the standard's 48 kHz filters.
#include "tools/musicgen/Loudness.h"

#include <algorithm>
#include <cmath>

namespace synth {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kSilentLufs = -200.0;

struct Biquad {
  double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
  double z1 = 0, z2 = 0;
  double Process(double x) {
    const double y = b0 * x + z1;
    z1 = b1 * x - a1 * y + z2;
    z2 = b2 * x - a2 * y;
    return y;
  }
};

Biquad HighShelf(double rate) {
  const double f0 = 1681.974450955533, gainDb = 3.999843853973347, q = 0.7071752369554196;
  const double k = std::tan(kPi * f0 / rate);
  const double vh = std::pow(10.0, gainDb / 20.0);
  const double vb = std::pow(vh, 0.4996667741545416);
  const double a0 = 1.0 + k / q + k * k;
  Biquad f;
  f.b0 = (vh + vb * k / q + k * k) / a0;
  f.b1 = 2.0 * (k * k - vh) / a0;
  f.b2 = (vh - vb * k / q + k * k) / a0;
  f.a1 = 2.0 * (k * k - 1.0) / a0;
  f.a2 = (1.0 - k / q + k * k) / a0;
  return f;
}

Biquad HighPass(double rate) {
  const double f0 = 38.13547087602444, q = 0.5003270373238773;
  const double k = std::tan(kPi * f0 / rate);
  const double a0 = 1.0 + k / q + k * k;
  Biquad f;
  f.b0 = 1.0;
  f.b1 = -2.0;
  f.b2 = 1.0;
  f.a1 = 2.0 * (k * k - 1.0) / a0;
  f.a2 = (1.0 - k / q + k * k) / a0;
  return f;
}

double ToLufs(double power) { return power > 0.0 ? -0.691 + 10.0 * std::log10(power) : kSilentLufs; }

// Index range of blocks starting in [from, to).
void BlockRange(const LoudnessBlocks& blocks, double from, double to, size_t& first, size_t& last) {
  const double step = blocks.stepSeconds;
  first = static_cast<size_t>(std::max(0.0, std::ceil(from / step - 1e-9)));
  last = static_cast<size_t>(std::max(0.0, std::ceil(to / step - 1e-9)));
  last = std::min(last, blocks.power.size());
  first = std::min(first, last);
}

// 4x interpolation: windowed-sinc polyphase filter, 12 taps per phase.
constexpr int kTaps = 12;
constexpr int kPhases = 4;

struct Interpolator {
  double coef[kPhases][kTaps];
  Interpolator() {
    for (int p = 0; p < kPhases; ++p) {
      for (int t = 0; t < kTaps; ++t) {
        const double x = (t - kTaps / 2 + 1) - p / static_cast<double>(kPhases);  // input offset
        const double sinc = std::fabs(x) < 1e-12 ? 1.0 : std::sin(kPi * x) / (kPi * x);
        const double w = 0.5 + 0.5 * std::cos(kPi * x / (kTaps / 2));  // Hann over +-6 samples
        coef[p][t] = sinc * w;
      }
    }
  }
};

}  // namespace

LoudnessBlocks MeasureBlocks(const float* samples, size_t frames, int channels, int sampleRate) {
  LoudnessBlocks blocks;
  blocks.sampleRate = sampleRate;
  if (!samples || channels < 1 || sampleRate <= 0) return blocks;
  const size_t step = static_cast<size_t>(std::lround(0.1 * sampleRate));
  const size_t stepCount = frames / step;
  // Mean square of every 100 ms step, summed over channels; a block is four steps.
  std::vector<double> stepPower(stepCount, 0.0);
  for (int c = 0; c < std::min(channels, 2); ++c) {
    Biquad shelf = HighShelf(sampleRate);
    Biquad pass = HighPass(sampleRate);
    for (size_t i = 0; i < stepCount * step; ++i) {
      const double y = pass.Process(shelf.Process(samples[i * channels + c]));
      stepPower[i / step] += y * y / static_cast<double>(step);
    }
  }
  for (size_t i = 0; i + 4 <= stepCount; ++i) {
    blocks.power.push_back(0.25 * (stepPower[i] + stepPower[i + 1] + stepPower[i + 2] + stepPower[i + 3]));
  }
  return blocks;
}

double IntegratedLoudness(const LoudnessBlocks& blocks, double fromSeconds, double toSeconds) {
  size_t first = 0, last = 0;
  BlockRange(blocks, fromSeconds, toSeconds, first, last);
  const double absoluteGate = std::pow(10.0, (-70.0 + 0.691) / 10.0);
  double sum = 0.0;
  size_t count = 0;
  for (size_t i = first; i < last; ++i) {
    if (blocks.power[i] > absoluteGate) {
      sum += blocks.power[i];
      ++count;
    }
  }
  if (count == 0) return kSilentLufs;
  const double relativeGate = sum / count * std::pow(10.0, -10.0 / 10.0);
  sum = 0.0;
  count = 0;
  for (size_t i = first; i < last; ++i) {
    if (blocks.power[i] > absoluteGate && blocks.power[i] > relativeGate) {
      sum += blocks.power[i];
      ++count;
    }
  }
  return count ? ToLufs(sum / count) : kSilentLufs;
}

double MaxShortTermLoudness(const LoudnessBlocks& blocks, double fromSeconds, double toSeconds) {
  size_t first = 0, last = 0;
  BlockRange(blocks, fromSeconds, toSeconds, first, last);
  // A 3 s window is 30 steps: the blocks starting at i, i+4, ..., i+26 tile it.
  double best = kSilentLufs;
  for (size_t i = first; i + 27 <= blocks.power.size() && i < last; ++i) {
    double sum = 0.0;
    for (size_t k = 0; k < 30; k += 4) sum += blocks.power[std::min(i + k, blocks.power.size() - 1)];
    best = std::max(best, ToLufs(sum / 8.0));
  }
  return best;
}

double SamplePeakDb(const float* samples, size_t frames, int channels, size_t first, size_t last) {
  double peak = 0.0;
  last = std::min(last, frames);
  for (size_t i = first; i < last; ++i) {
    for (int c = 0; c < channels; ++c) peak = std::max(peak, std::fabs(double{samples[i * channels + c]}));
  }
  return peak > 0.0 ? 20.0 * std::log10(peak) : kSilentLufs;
}

double TruePeakDb(const float* samples, size_t frames, int channels, size_t first, size_t last) {
  static const Interpolator interpolator;
  double peak = 0.0;
  last = std::min(last, frames);
  for (int c = 0; c < channels; ++c) {
    for (size_t i = first; i < last; ++i) {
      for (int p = 0; p < kPhases; ++p) {
        double y = 0.0;
        for (int t = 0; t < kTaps; ++t) {
          const long index = static_cast<long>(i) + t - kTaps / 2 + 1;
          if (index < 0 || index >= static_cast<long>(frames)) continue;
          y += interpolator.coef[p][t] * samples[index * channels + c];
        }
        peak = std::max(peak, std::fabs(y));
      }
    }
  }
  return peak > 0.0 ? 20.0 * std::log10(peak) : kSilentLufs;
}

}  // namespace synth
