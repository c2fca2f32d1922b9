// Loudness after ITU-R BS.1770: K-weighting (a high shelf and a high pass), mean square per
// 400 ms block with 75 % overlap, and the two-stage gate (-70 LUFS absolute, -10 LU relative)
// for integrated loudness. Also true peak from 4x oversampling.
#pragma once
#include <cstddef>
#include <vector>

namespace synth {

struct LoudnessBlocks {
  int sampleRate = 44100;
  double stepSeconds = 0.1;
  // K-weighted mean square summed over the channels, one per 100 ms step, each over the
  // 400 ms block that starts there.
  std::vector<double> power;
};

// Interleaved samples with 1 or 2 channels (both weighted 1.0).
LoudnessBlocks MeasureBlocks(const float* samples, size_t frames, int channels, int sampleRate);

// Integrated (gated) loudness of the blocks that start in [fromSeconds, toSeconds); -inf LUFS
// (returned as -200) when every block is gated away.
double IntegratedLoudness(const LoudnessBlocks& blocks, double fromSeconds, double toSeconds);

// Highest short-term (3 s) loudness over the range, LUFS.
double MaxShortTermLoudness(const LoudnessBlocks& blocks, double fromSeconds, double toSeconds);

// dBTP of interleaved samples over frames [first, last).
double TruePeakDb(const float* samples, size_t frames, int channels, size_t first, size_t last);
double SamplePeakDb(const float* samples, size_t frames, int channels, size_t first, size_t last);

}  // namespace synth
