// The show's music on the platform audio layer: the stream's clock, seek and spectrum.
#include "director/Music.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "director/Timeline.h"
#include "platform/FileBytes.h"
#include "platform/LiveAudio.h"
#include "platform/OfflineClock.h"
#include "platform/SilentClock.h"
#include "platform/TrackReader.h"

static_assert(kSpectrumSize == kSpectrumBins);
static_assert(kMusicSampleRate == kMixRate);

namespace {

constexpr const char* kMusicPath = "data/music/sonorrak.mp3";

struct MusicState {
  bool offline = false;
  bool spectrumOn = false;
  std::vector<uint8_t> file;  // the whole track; the stream decodes from it for the whole run
  std::unique_ptr<MusicClock> clock;
  float spectrum[kSpectrumSize] = {};
};
MusicState music;

struct SampleReader {
  TrackReader* reader = nullptr;
  bool opened = false;
  int64_t position = -1;  // where the reader stands, -1 before the first seek
};
SampleReader samples;

TrackReader* SampleTrack() {
  if (!samples.opened) {
    samples.opened = true;
    std::string error;
    if (!music.file.empty()) samples.reader = OpenTrackReader(music.file.data(), music.file.size(), error);
  }
  return samples.reader;
}

bool ReadMusicFile() {
  if (ReadFileBytes(kMusicPath, music.file)) return true;
  std::fputs("Error!\nFile Not Found\n", stdout);
  std::fflush(stdout);
  return false;
}

// One line on stderr for every music trouble but the missing file, which has its own two lines.
void ReportMusicProblem(const std::string& what) { std::fprintf(stderr, "vexilograph: %s\n", what.c_str()); }

}  // namespace

void StartMusic() {
  // A stream or sample reader from an earlier start decodes from the file buffer read below: they
  // end first.
  music.clock.reset();
  CloseTrackReader(samples.reader);
  samples = SampleReader{};
  if (music.offline) {
    const bool found = ReadMusicFile();
    std::string problem;
    music.clock = CreateOfflineClock(music.file.data(), music.file.size(), problem);
    if (found && !problem.empty())
      ReportMusicProblem(std::string(kMusicPath) + " cannot be played (" + problem + "); the frames see a silent track");
    return;
  }
  const bool haveDevice = InitAudio(kMixRate);
  if (!ReadMusicFile()) {
    CloseAudio();
    music.clock = CreateSilentClock();
    return;
  }
  if (!haveDevice) ReportMusicProblem("no sound device; the show runs without sound");
  std::string problem;
  std::unique_ptr<AudioStream> stream = OpenAudioStream(music.file.data(), music.file.size(), problem);
  if (!problem.empty()) {
    ReportMusicProblem(std::string(kMusicPath) + " cannot be played (" + problem + "); the show runs without sound");
    stream.reset();
    CloseAudio();
    music.clock = CreateSilentClock();
    return;
  }
  const int trackMs = stream->TrackMs();
  if (trackMs < kShowEndMs) {
    char line[160];
    std::snprintf(line, sizeof line, "%s ends at %.1f s, before the show does; silence from there on", kMusicPath,
                  trackMs * 0.001);
    ReportMusicProblem(line);
  }
  stream->Play(true);
  stream->SetPaused(false);
  music.clock = std::move(stream);
}

void EnableSpectrum() { music.spectrumOn = true; }

int MusicGetTime() { return music.clock ? music.clock->PositionMs() : 0; }

void MusicSetTime(int ms) {
  if (music.clock) music.clock->SeekMs(ms);
}

const float* MusicGetSpectrum() {
  if (music.spectrumOn && music.clock) music.clock->Spectrum(music.spectrum);
  return music.spectrum;
}

void UseOfflineMusic() { music.offline = true; }

void ReadMusicSamples(int64_t firstSample, float* stereo, size_t frames) {
  std::fill(stereo, stereo + 2 * frames, 0.f);
  TrackReader* reader = SampleTrack();
  if (!reader) return;
  const int64_t first = std::max<int64_t>(firstSample, 0);
  const int64_t end = std::min<int64_t>(firstSample + static_cast<int64_t>(frames), TrackLength(*reader));
  if (first >= end) return;
  if (first != samples.position && !SeekTrack(*reader, first)) return;
  float* out = stereo + 2 * (first - firstSample);
  size_t wanted = static_cast<size_t>(end - first);
  samples.position = first;
  while (wanted > 0) {
    const size_t got = ReadTrack(*reader, out, wanted);
    if (got == 0) break;
    out += 2 * got;
    wanted -= got;
    samples.position += static_cast<int64_t>(got);
  }
}
