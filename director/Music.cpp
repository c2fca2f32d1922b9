// The show's music on the platform audio layer: the stream's clock, seek and spectrum.
#include "director/Music.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "platform/FileBytes.h"
#include "platform/LiveAudio.h"
#include "platform/OfflineClock.h"
#include "platform/SilentClock.h"

static_assert(kSpectrumSize == kSpectrumBins);

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

bool ReadMusicFile() {
  if (ReadFileBytes(kMusicPath, music.file)) return true;
  std::fputs("Error!\nFile Not Found\n", stdout);
  std::fflush(stdout);
  return false;
}

}  // namespace

void StartMusic() {
  if (music.offline) {
    ReadMusicFile();
    music.clock = CreateOfflineClock(music.file.data(), music.file.size());
    return;
  }
  SelectAudioOutput();
  InitAudio(44100);
  if (!ReadMusicFile()) {
    CloseAudio();
    music.clock = CreateSilentClock();
    return;
  }
  std::unique_ptr<AudioStream> stream = OpenAudioStream(music.file.data(), music.file.size());
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
