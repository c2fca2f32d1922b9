// The per-section loudness table of a rendered (and decoded) song: what a listener would judge
// by ear, as numbers.
#pragma once
#include <string>
#include <vector>

#include "tools/musicgen/Song.h"

namespace synth {

struct SectionReport {
  std::string name;
  double fromSeconds = 0.0;
  double toSeconds = 0.0;
  double integratedLufs = 0.0;
  double maxShortTermLufs = 0.0;
  double truePeakDb = 0.0;
  float band4OnBeat = 0.f, band4Between = 0.f;
  float band6OnBeat = 0.f, band6Between = 0.f;
};

struct SongReport {
  double seconds = 0.0;
  double integratedLufs = 0.0;
  double truePeakDb = 0.0;
  double samplePeakDb = 0.0;
  std::vector<SectionReport> sections;
};

// samples interleaved; the last section runs to the end of the audio.
SongReport AnalyseSong(const Song& song, const float* samples, size_t frames, int channels, int sampleRate);
std::string FormatReport(const SongReport& report);

}  // namespace synth
