#include "tools/musicgen/SongReport.h"

#include <cstdio>
#include <string>

#include "tools/musicgen/Loudness.h"
#include "tools/musicgen/Spectrum.h"

namespace synth {

SongReport AnalyseSong(const Song& song, const float* samples, size_t frames, int channels, int sampleRate) {
  SongReport report;
  report.seconds = static_cast<double>(frames) / sampleRate;
  const LoudnessBlocks blocks = MeasureBlocks(samples, frames, channels, sampleRate);
  report.integratedLufs = IntegratedLoudness(blocks, 0.0, report.seconds);
  report.truePeakDb = TruePeakDb(samples, frames, channels, 0, frames);
  report.samplePeakDb = SamplePeakDb(samples, frames, channels, 0, frames);
  for (size_t i = 0; i < song.sections.size(); ++i) {
    SectionReport s;
    s.name = song.sections[i].name;
    s.fromSeconds = song.sections[i].startSeconds;
    s.toSeconds = i + 1 < song.sections.size() ? song.sections[i + 1].startSeconds : report.seconds;
    s.integratedLufs = IntegratedLoudness(blocks, s.fromSeconds, s.toSeconds - 0.4);
    s.maxShortTermLufs = MaxShortTermLoudness(blocks, s.fromSeconds, s.toSeconds - 3.0);
    const size_t first = static_cast<size_t>(s.fromSeconds * sampleRate);
    const size_t last = static_cast<size_t>(s.toSeconds * sampleRate);
    s.truePeakDb = TruePeakDb(samples, frames, channels, first, last);
    const double beat = song.SecondsPerBeat();
    const BeatPulse b4 = MeasureBeatPulse(samples, frames, channels, sampleRate, 4, s.fromSeconds, s.toSeconds, beat);
    const BeatPulse b6 = MeasureBeatPulse(samples, frames, channels, sampleRate, 6, s.fromSeconds, s.toSeconds, beat);
    s.band4OnBeat = b4.onBeatMean;
    s.band4Between = b4.betweenMean;
    s.band6OnBeat = b6.onBeatMean;
    s.band6Between = b6.betweenMean;
    report.sections.push_back(s);
  }
  return report;
}

std::string FormatReport(const SongReport& report) {
  std::string text;
  char line[256];
  std::snprintf(line, sizeof line,
                "length %.2f s, integrated %.2f LUFS, true peak %.2f dBTP, sample peak %.2f dBFS\n\n",
                report.seconds, report.integratedLufs, report.truePeakDb, report.samplePeakDb);
  text += line;
  text += "section              from     to      LUFS   maxST   dBTP   b4 beat/between  b6 beat/between\n";
  // Sections too short for a measuring window show "-".
  const auto level = [](double lufs) {
    char cell[16];
    if (lufs <= -199.0) return std::string("      -");
    std::snprintf(cell, sizeof cell, "%7.1f", lufs);
    return std::string(cell);
  };
  for (const SectionReport& s : report.sections) {
    std::snprintf(line, sizeof line, "%-18s %7.2f %7.2f %s %s %6.1f     %5.2f / %5.2f    %5.2f / %5.2f\n",
                  s.name.c_str(), s.fromSeconds, s.toSeconds, level(s.integratedLufs).c_str(),
                  level(s.maxShortTermLufs).c_str(), s.truePeakDb, s.band4OnBeat, s.band4Between,
                  s.band6OnBeat, s.band6Between);
    text += line;
  }
  return text;
}

}  // namespace synth
