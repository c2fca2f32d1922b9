// The show's view of the music's spectrum: a 1024-point Hann-windowed transform of the mono mix,
// magnitudes scaled so that a full-scale sine centred on a band reads 1.0. Band k is
// k x (sample rate / 1024), about 43 Hz per band at 44.1 kHz.
#pragma once
#include <array>
#include <cstddef>

namespace synth {

constexpr int kSpectrumWindow = 1024;
constexpr int kShowBands = 32;

// Bands 0..31 of the window of kSpectrumWindow frames ending just before endFrame (interleaved
// stereo or mono input). Frames before the start of the buffer count as silence.
std::array<float, kShowBands> ShowBands(const float* samples, size_t frames, int channels, size_t endFrame);

}  // namespace synth

namespace synth {

// How one band moves with the beat over [fromSeconds, toSeconds): for every beat, the highest
// reading of windows ending 10..90 ms after it (what a 60 Hz picture sees on the hit) and the
// reading 300 ms after it (between hits).
struct BeatPulse {
  float onBeatMean = 0.f;
  float onBeatMin = 0.f;
  float betweenMean = 0.f;
  float highest = 0.f;
  int beats = 0;
};

BeatPulse MeasureBeatPulse(const float* samples, size_t frames, int channels, int sampleRate, int band,
                           double fromSeconds, double toSeconds, double secondsPerBeat);

}  // namespace synth
