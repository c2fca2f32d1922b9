// A clock that advances in real time from its last seek.
#include "platform/SilentClock.h"

#include <algorithm>

#include "platform/MonotonicTime.h"

namespace {

class SilentClock final : public MusicClock {
 public:
  int PositionMs() override {
    const double sample = static_cast<double>(baseSample_) + (MonotonicSeconds() - baseTime_) * kMixRate;
    return MsForSample(std::max(sample, static_cast<double>(baseSample_)));
  }
  void SeekMs(int ms) override {
    baseSample_ = SampleForMs(ms);
    baseTime_ = MonotonicSeconds();
  }
  void Spectrum(float magnitudes[kSpectrumBins]) override { std::fill_n(magnitudes, kSpectrumBins, 0.0f); }

 private:
  int64_t baseSample_ = 0;
  double baseTime_ = MonotonicSeconds();
};

}  // namespace

std::unique_ptr<MusicClock> CreateSilentClock() { return std::make_unique<SilentClock>(); }
