// Renders the show's track, masters it to its loudness target, encodes it to MP3 and checks the
// decoded file's true peak. Also writes the per-section loudness table and a mono WAV from which
// the build draws the spectrogram.
// Usage: vex-musicgen <out.mp3> <loudness-table.txt> <spectrogram-source.wav>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>

#include "platform/FileBytes.h"
#include "platform/Mp3Decode.h"
#include "tools/musicgen/Loudness.h"
#include "tools/musicgen/Mp3Encode.h"
#include "tools/musicgen/Render.h"
#include "tools/musicgen/SongReport.h"
#include "tools/musicgen/WavFile.h"

namespace {

constexpr int kSampleRate = 44100;
constexpr double kTargetLufs = -14.0;
constexpr double kMixLufs = -20.0;  // the level the master chain expects
constexpr double kTruePeakLimitDb = -1.0;
constexpr const char* kTitle = "The Vexilograph";

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

double IntegratedOf(const synth::StereoBuffer& pcm) {
  std::vector<float> interleaved(pcm.Frames() * 2);
  for (size_t i = 0; i < pcm.Frames(); ++i) {
    interleaved[2 * i] = pcm.left[i];
    interleaved[2 * i + 1] = pcm.right[i];
  }
  const auto blocks = synth::MeasureBlocks(interleaved.data(), pcm.Frames(), 2, pcm.sampleRate);
  return synth::IntegratedLoudness(blocks, 0.0, static_cast<double>(pcm.Frames()) / pcm.sampleRate);
}

// Finds the gain into the limiter that gives the target loudness. Limiting makes each dB of gain
// worth less than a dB of loudness, hence the overshoot in the correction.
void MasterToTarget(const synth::Song& song, const synth::StereoBuffer& mix, synth::MasterSettings& settings,
                    synth::StereoBuffer& master) {
  for (int pass = 0; pass < 6; ++pass) {
    synth::Master(song, mix, settings, master);
    const double error = kTargetLufs - IntegratedOf(master);
    if (std::fabs(error) < 0.1) break;
    settings.gainDb += static_cast<float>(1.3 * error);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s <out.mp3> <loudness-table.txt> <spectrogram-source.wav>\n", argv[0]);
    return 2;
  }
  const auto started = std::chrono::steady_clock::now();
  const synth::Song song = synth::BuildShowSong();
  synth::StereoBuffer mix;
  synth::RenderMix(song, kSampleRate, mix);
  std::printf("musicgen: mix rendered in %.1f s\n", Seconds(started));

  // The limiter shapes loudness too, so the gain is found by measuring the mastered result.
  synth::MasterSettings settings;
  settings.inputGainDb = static_cast<float>(kMixLufs - IntegratedOf(mix));
  synth::StereoBuffer master;
  MasterToTarget(song, mix, settings, master);

  // Encoding raises peaks; the ceiling comes down until the decoded file keeps its headroom.
  std::vector<uint8_t> mp3;
  DecodedAudio decoded;
  double truePeak = 0.0;
  for (int attempt = 0;; ++attempt) {
    std::string error;
    if (!synth::EncodeMp3(master, kTitle, mp3, error) || !DecodeMp3(mp3.data(), mp3.size(), decoded, error)) {
      std::fprintf(stderr, "musicgen: %s\n", error.c_str());
      return 1;
    }
    truePeak = synth::TruePeakDb(decoded.samples.data(), decoded.FrameCount(), decoded.channels, 0,
                                 decoded.FrameCount());
    std::printf("musicgen: ceiling %.2f dBFS gives %.2f dBTP after encoding\n", settings.ceilingDb, truePeak);
    if (truePeak <= kTruePeakLimitDb - 0.05 || attempt == 3) break;
    settings.ceilingDb -= static_cast<float>(truePeak - kTruePeakLimitDb + 0.15);
    MasterToTarget(song, mix, settings, master);
  }
  if (truePeak > kTruePeakLimitDb) {
    std::fprintf(stderr, "musicgen: the encoded file peaks at %.2f dBTP, above %.1f\n", truePeak, kTruePeakLimitDb);
    return 1;
  }
  if (!WriteFileBytes(argv[1], mp3)) {
    std::fprintf(stderr, "musicgen: cannot write %s\n", argv[1]);
    return 1;
  }

  const synth::SongReport report =
      synth::AnalyseSong(song, decoded.samples.data(), decoded.FrameCount(), decoded.channels, decoded.sampleRate);
  const std::string table = synth::FormatReport(report);
  const std::vector<uint8_t> tableBytes(table.begin(), table.end());
  std::vector<uint8_t> wav;
  synth::EncodeMonoWav(decoded.samples.data(), decoded.FrameCount(), decoded.channels, decoded.sampleRate, wav);
  if (!WriteFileBytes(argv[2], tableBytes) || !WriteFileBytes(argv[3], wav)) {
    std::fprintf(stderr, "musicgen: cannot write the report files\n");
    return 1;
  }
  std::printf("musicgen: %zu bytes, %.2f LUFS, %.2f dBTP, input gain %.2f dB, master gain %.2f dB, %.1f s in all\n",
              mp3.size(), report.integratedLufs, report.truePeakDb, settings.inputGainDb, settings.gainDb,
              Seconds(started));
  return 0;
}
