// Only 32 bands are wanted, so a direct transform per band is cheaper than a whole FFT.
#include "tools/musicgen/Spectrum.h"

#include <algorithm>
#include <cmath>

namespace synth {
namespace {

struct Tables {
  std::array<float, kSpectrumWindow> window{};
  std::array<std::array<float, kSpectrumWindow>, kShowBands> cosine{};
  std::array<std::array<float, kSpectrumWindow>, kShowBands> sine{};
  float scale = 0.f;
  Tables() {
    const double pi = 3.14159265358979323846;
    double sum = 0.0;
    for (int n = 0; n < kSpectrumWindow; ++n) {
      window[n] = static_cast<float>(0.5 - 0.5 * std::cos(2.0 * pi * n / kSpectrumWindow));
      sum += window[n];
    }
    // A sine of amplitude A on a band gives |X| = A x sum(window) / 2.
    scale = static_cast<float>(2.0 / sum);
    for (int k = 0; k < kShowBands; ++k) {
      for (int n = 0; n < kSpectrumWindow; ++n) {
        cosine[k][n] = static_cast<float>(std::cos(2.0 * pi * k * n / kSpectrumWindow));
        sine[k][n] = static_cast<float>(std::sin(2.0 * pi * k * n / kSpectrumWindow));
      }
    }
  }
};

}  // namespace

std::array<float, kShowBands> ShowBands(const float* samples, size_t frames, int channels, size_t endFrame) {
  static const Tables tables;
  std::array<float, kSpectrumWindow> mono{};
  if (endFrame > frames) endFrame = frames;
  for (int n = 0; n < kSpectrumWindow; ++n) {
    const long frame = static_cast<long>(endFrame) - kSpectrumWindow + n;
    float value = 0.f;
    if (frame >= 0 && samples && channels > 0) {
      for (int c = 0; c < channels; ++c) value += samples[frame * channels + c];
      value /= static_cast<float>(channels);
    }
    mono[n] = value * tables.window[n];
  }
  std::array<float, kShowBands> bands{};
  for (int k = 0; k < kShowBands; ++k) {
    double re = 0.0, im = 0.0;
    for (int n = 0; n < kSpectrumWindow; ++n) {
      re += mono[n] * tables.cosine[k][n];
      im += mono[n] * tables.sine[k][n];
    }
    bands[k] = static_cast<float>(std::sqrt(re * re + im * im)) * tables.scale;
  }
  return bands;
}

}  // namespace synth

namespace synth {

BeatPulse MeasureBeatPulse(const float* samples, size_t frames, int channels, int sampleRate, int band,
                           double fromSeconds, double toSeconds, double secondsPerBeat) {
  BeatPulse pulse;
  if (band < 0 || band >= kShowBands || secondsPerBeat <= 0.0 || sampleRate <= 0) return pulse;
  pulse.onBeatMin = 1e9f;
  const auto reading = [&](double seconds) {
    return ShowBands(samples, frames, channels, static_cast<size_t>(seconds * sampleRate))[band];
  };
  double sumOn = 0.0, sumBetween = 0.0;
  for (double beat = std::ceil(fromSeconds / secondsPerBeat - 1e-9) * secondsPerBeat; beat < toSeconds - 1e-9;
       beat += secondsPerBeat) {
    float best = 0.f;
    for (double after = 0.010; after <= 0.0901; after += 1.0 / 120.0) best = std::max(best, reading(beat + after));
    const float between = reading(beat + 0.3);
    sumOn += best;
    sumBetween += between;
    pulse.onBeatMin = std::min(pulse.onBeatMin, best);
    pulse.highest = std::max({pulse.highest, best, between});
    ++pulse.beats;
  }
  if (pulse.beats == 0) {
    pulse.onBeatMin = 0.f;
    return pulse;
  }
  pulse.onBeatMean = static_cast<float>(sumOn / pulse.beats);
  pulse.betweenMean = static_cast<float>(sumBetween / pulse.beats);
  return pulse;
}

}  // namespace synth
