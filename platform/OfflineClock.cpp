// Offline clock over the MP3 decoder and the spectrum analyser.
#include "platform/OfflineClock.h"

#include <algorithm>
#include <string>

#include "platform/Mp3Decoder.h"
#include "platform/SpectrumAnalyser.h"

namespace {

class OfflineClock final : public MusicClock {
 public:
  OfflineClock(const uint8_t* bytes, size_t size, std::string& problem) : analyser_(CreateSpectrumAnalyser()) {
    if (size == 0) problem = "the file is empty";
    else decoder_ = OpenMp3Decoder(bytes, size, problem);
  }
  ~OfflineClock() override {
    CloseMp3Decoder(decoder_);
    DestroySpectrumAnalyser(analyser_);
  }

  int PositionMs() override { return positionMs_; }
  void SeekMs(int ms) override { positionMs_ = std::max(ms, 0); }

  void Spectrum(float magnitudes[kSpectrumBins]) override {
    float mono[kSpectrumWindow] = {};
    if (decoder_) DecodeWindow(SampleForMs(positionMs_), mono);
    AnalyseSpectrum(*analyser_, mono, magnitudes);
  }

 private:
  // The window's samples before 0 or past the end of the track stay silent.
  void DecodeWindow(int64_t end, float mono[kSpectrumWindow]) {
    const int64_t start = end - kSpectrumWindow;
    const int64_t first = std::max<int64_t>(start, 0);
    if (first >= Mp3Length(*decoder_) || !SeekMp3(*decoder_, first)) return;
    const size_t wanted = static_cast<size_t>(end - first);
    const size_t got = ReadMp3(*decoder_, stereo_, wanted);
    float* out = mono + (first - start);
    for (size_t i = 0; i < got; ++i) out[i] = 0.5f * (stereo_[2 * i] + stereo_[2 * i + 1]);
  }

  Mp3Decoder* decoder_ = nullptr;
  SpectrumAnalyser* analyser_;
  int positionMs_ = 0;
  float stereo_[2 * kSpectrumWindow] = {};
};

}  // namespace

std::unique_ptr<MusicClock> CreateOfflineClock(const uint8_t* bytes, size_t size, std::string& problem) {
  problem.clear();
  return std::make_unique<OfflineClock>(bytes, size, problem);
}
