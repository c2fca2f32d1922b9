// Offline clock over the track reader and the spectrum analyser. Frames move forward by less
// than a window, so the window is kept and only its new samples are decoded; a jump back or
// far ahead seeks.
#include "platform/OfflineClock.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/SpectrumAnalyser.h"
#include "platform/TrackReader.h"

namespace {

// Reading on is cheaper than a seek (which restarts the decoder and resampler) up to about this.
constexpr int64_t kLongestReadOn = kMixRate / 2;

class OfflineClock final : public MusicClock {
 public:
  OfflineClock(const uint8_t* bytes, size_t size, std::string& problem) : analyser_(CreateSpectrumAnalyser()) {
    if (size == 0) problem = "the file is empty";
    else reader_ = OpenTrackReader(bytes, size, problem);
  }
  ~OfflineClock() override {
    CloseTrackReader(reader_);
    DestroySpectrumAnalyser(analyser_);
  }

  int PositionMs() override { return positionMs_; }
  void SeekMs(int ms) override { positionMs_ = std::max(ms, 0); }

  void Spectrum(float magnitudes[kSpectrumBins]) override {
    if (reader_) MoveWindow(SampleForMs(positionMs_));
    AnalyseSpectrum(*analyser_, window_, magnitudes);
  }

 private:
  // The window becomes the kSpectrumWindow mono samples that end at end (not negative).
  void MoveWindow(int64_t end) {
    const int64_t step = end - windowEnd_;
    if (windowEnd_ < 0 || step < 0 || step > kLongestReadOn) {
      std::fill_n(window_, kSpectrumWindow, 0.0f);
      const int64_t start = end - kSpectrumWindow;
      const int64_t first = std::max<int64_t>(start, 0);
      if (SeekTrack(*reader_, first)) ReadMono(window_ + (first - start), static_cast<size_t>(end - first));
    } else if (step < kSpectrumWindow) {
      std::memmove(window_, window_ + step, (kSpectrumWindow - step) * sizeof(float));
      ReadMono(window_ + (kSpectrumWindow - step), static_cast<size_t>(step));
    } else {
      for (int64_t skip = step - kSpectrumWindow; skip > 0; skip -= kSpectrumWindow)
        ReadMono(window_, static_cast<size_t>(std::min<int64_t>(skip, kSpectrumWindow)));
      ReadMono(window_, kSpectrumWindow);
    }
    windowEnd_ = end;
  }

  // The track's next samples as mono; silence past its end.
  void ReadMono(float* mono, size_t count) {
    const size_t got = ReadTrack(*reader_, stereo_, count);
    for (size_t i = 0; i < got; ++i) mono[i] = 0.5f * (stereo_[2 * i] + stereo_[2 * i + 1]);
    std::fill(mono + got, mono + count, 0.0f);
  }

  TrackReader* reader_ = nullptr;
  SpectrumAnalyser* analyser_;
  int positionMs_ = 0;
  int64_t windowEnd_ = -1;  // the sample after the window's last; -1 before the first window
  float window_[kSpectrumWindow] = {};
  float stereo_[2 * kSpectrumWindow] = {};
};

}  // namespace

std::unique_ptr<MusicClock> CreateOfflineClock(const uint8_t* bytes, size_t size, std::string& problem) {
  problem.clear();
  return std::make_unique<OfflineClock>(bytes, size, problem);
}
