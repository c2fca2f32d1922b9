// The spectrum on kissfft's real transform.
#include "platform/SpectrumAnalyser.h"

#include <kiss_fftr.h>

#include <algorithm>
#include <cmath>
#include <numbers>

struct SpectrumAnalyser {
  kiss_fftr_cfg config = nullptr;
  float window[kSpectrumWindow];
  float windowed[kSpectrumWindow];
  kiss_fft_cpx bins[kSpectrumBins + 1];
  float scale = 0;
};

SpectrumAnalyser* CreateSpectrumAnalyser() {
  auto* analyser = new SpectrumAnalyser;
  analyser->config = kiss_fftr_alloc(kSpectrumWindow, 0, nullptr, nullptr);
  double windowSum = 0;
  for (int i = 0; i < kSpectrumWindow; ++i) {
    analyser->window[i] = static_cast<float>(0.5 - 0.5 * std::cos(2 * std::numbers::pi * i / kSpectrumWindow));
    windowSum += analyser->window[i];
  }
  // A sine of amplitude A puts A x (window sum) / 2 into its bin.
  analyser->scale = static_cast<float>(2.0 / windowSum);
  return analyser;
}

void DestroySpectrumAnalyser(SpectrumAnalyser* analyser) {
  if (!analyser) return;
  kiss_fftr_free(analyser->config);
  delete analyser;
}

void AnalyseSpectrum(SpectrumAnalyser& analyser, const float mono[kSpectrumWindow],
                     float magnitudes[kSpectrumBins]) {
  for (int i = 0; i < kSpectrumWindow; ++i) analyser.windowed[i] = mono[i] * analyser.window[i];
  kiss_fftr(analyser.config, analyser.windowed, analyser.bins);
  for (int k = 0; k < kSpectrumBins; ++k) {
    const float magnitude = std::hypot(analyser.bins[k].r, analyser.bins[k].i) * analyser.scale;
    // NaN input reads as silence rather than leaking into the overlays.
    magnitudes[k] = std::isnan(magnitude) ? 0.0f : std::clamp(magnitude, 0.0f, 1.0f);
  }
}
