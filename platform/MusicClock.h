// The clock every frame reads: the position of the music being heard, its seek, and the
// spectrum of what is heard. One live implementation plays through the sound device (or runs
// silently on the monotonic clock); the offline one is positioned by its caller.
#pragma once
#include <cstdint>

constexpr int kMixRate = 44100;        // samples per second per channel
constexpr int kSpectrumWindow = 1024;  // samples analysed per spectrum
constexpr int kSpectrumBins = kSpectrumWindow / 2;

class MusicClock {
 public:
  virtual ~MusicClock() = default;
  // Whole milliseconds of the audio heard now.
  virtual int PositionMs() = 0;
  // Moves to ms (negative lands at 0; past the end runs on in silence). The next
  // PositionMs reports ms.
  virtual void SeekMs(int ms) = 0;
  // Magnitudes (0..1) of the kSpectrumWindow mono samples that end at the heard position.
  virtual void Spectrum(float magnitudes[kSpectrumBins]) = 0;
};

// Sample index a seek to ms lands on: round(ms x 44.1), ms clamped at 0.
int64_t SampleForMs(int ms);
// Whole milliseconds at a (possibly fractional) sample position; exact on SampleForMs results.
// Held within 0..INT_MAX.
int MsForSample(double sample);
