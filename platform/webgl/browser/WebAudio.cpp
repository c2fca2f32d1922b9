// The show's sound output in a browser, on Web Audio. The sound is the desktop's 44.1 kHz mix:
// the same track reader (mpg123, then libswresample for other rates) decodes it in pieces of
// 46 ms, queued back to back on the context's clock a second and a half ahead; the frame loop
// tops the queue up each time it reads the position. The position heard is the start offset
// plus the context's time since the start, less the output latency, and the spectrum is
// computed from another reader of the same mix at that position, so sound, clock and spectrum
// are the same samples as in the native window.
#include <emscripten.h>

#include <algorithm>
#include <vector>

#include "platform/FileBytes.h"
#include "platform/LiveAudio.h"
#include "platform/OfflineClock.h"
#include "platform/TrackReader.h"

// The page sets Module.vexAudio = {context} (a 44.1 kHz AudioContext) before the show starts.
EM_JS(int, WebAudioReady, (), { return Module.vexAudio && Module.vexAudio.context ? 1 : 0; });

// Drops what is queued and starts the queue afresh at ms, a little ahead of the context's clock
// so that the first piece is not already late when it is queued.
EM_JS(void, WebAudioRestart, (int ms), {
  const audio = Module.vexAudio;
  for (const source of audio.sources || []) {
    source.onended = null;
    source.stop();
    source.disconnect();
  }
  audio.sources = [];
  audio.startTime = audio.context.currentTime + 0.05;
  audio.nextTime = audio.startTime;
  audio.startMs = ms;
});

// Seconds of sound queued beyond the context's clock; negative when the queue ran dry.
EM_JS(double, WebAudioQueuedAhead, (), {
  const audio = Module.vexAudio;
  return audio.nextTime - audio.context.currentTime;
});

// Queues frames of interleaved stereo right after the last piece.
EM_JS(void, WebAudioQueue, (const float* stereo, int frames), {
  const audio = Module.vexAudio;
  const buffer = audio.context.createBuffer(2, frames, 44100);
  const left = buffer.getChannelData(0), right = buffer.getChannelData(1);
  const samples = HEAPF32.subarray(stereo >> 2, (stereo >> 2) + 2 * frames);
  for (let i = 0; i < frames; ++i) {
    left[i] = samples[2 * i];
    right[i] = samples[2 * i + 1];
  }
  const source = audio.context.createBufferSource();
  source.buffer = buffer;
  source.connect(audio.context.destination);
  source.onended = () => {
    source.disconnect();
    audio.sources = audio.sources.filter((s) => s !== source);
  };
  source.start(audio.nextTime);
  audio.nextTime += frames / 44100;
  audio.sources.push(source);
});

// Never before the start offset: the first output latency's worth of sound is still on its way.
EM_JS(int, WebAudioPositionMs, (), {
  const audio = Module.vexAudio;
  const latency = audio.context.outputLatency || audio.context.baseLatency || 0;
  const heard = Math.max(0, audio.context.currentTime - audio.startTime - latency);
  return Math.floor(audio.startMs + heard * 1000);
});

// Suspending and resuming settle later; each waits for the one before, so the last call wins.
EM_JS(void, WebAudioSetPaused, (int paused), {
  const audio = Module.vexAudio;
  audio.pausing = (audio.pausing || Promise.resolve())
                      .then(() => paused ? audio.context.suspend() : audio.context.resume());
});

EM_JS(void, WebAudioStop, (), {
  const audio = Module.vexAudio;
  if (!audio) return;
  for (const source of audio.sources || []) {
    source.onended = null;
    source.stop();
    source.disconnect();
  }
  audio.sources = [];
});

namespace {

constexpr size_t kPieceFrames = 2048;
// A seek (which empties the queue, once a frame while a seek key is held) queues half a second;
// reading the position fills the queue to a second and a half, so a slow frame finds it full.
constexpr double kSeekAheadSeconds = 0.5;
constexpr double kAheadSeconds = 1.5;

class WebAudioStream final : public AudioStream {
 public:
  WebAudioStream(const uint8_t* bytes, size_t size, std::string& problem)
      : samples_(CreateOfflineClock(bytes, size, problem)), piece_(2 * kPieceFrames) {
    if (!problem.empty()) return;
    if (!WebAudioReady()) {
      problem = "the browser has no Web Audio";
      return;
    }
    sound_ = OpenTrackReader(bytes, size, problem);
  }
  ~WebAudioStream() override {
    WebAudioStop();
    CloseTrackReader(sound_);
  }

  int PositionMs() override {
    TopUp(kAheadSeconds);
    return WebAudioPositionMs();
  }
  void SeekMs(int ms) override { PlayFrom(std::max(ms, 0)); }

  void Spectrum(float magnitudes[kSpectrumBins]) override {
    samples_->SeekMs(PositionMs());
    samples_->Spectrum(magnitudes);
  }

  void Play(bool paused) override {
    PlayFrom(0);
    WebAudioSetPaused(paused ? 1 : 0);
  }

  void SetPaused(bool paused) override { WebAudioSetPaused(paused ? 1 : 0); }
  int TrackMs() override {
    return sound_ ? static_cast<int>(TrackLength(*sound_) * 1000 / kMixRate) : 0;
  }

 private:
  void PlayFrom(int ms) {
    if (!sound_) return;
    WebAudioRestart(ms);
    ended_ = !SeekTrack(*sound_, SampleForMs(ms));
    TopUp(kSeekAheadSeconds);
  }

  // A queue that ran dry (the page hidden, or a frame slower than the queue is long) would put
  // the sound behind the clock for good: the sound starts again where the clock stands.
  void TopUp(double seconds) {
    if (!sound_ || ended_) return;
    if (WebAudioQueuedAhead() < 0) PlayFrom(WebAudioPositionMs());
    while (!ended_ && WebAudioQueuedAhead() < seconds) {
      const size_t frames = ReadTrack(*sound_, piece_.data(), kPieceFrames);
      ended_ = frames == 0;
      if (!ended_) WebAudioQueue(piece_.data(), static_cast<int>(frames));
    }
  }

  std::unique_ptr<MusicClock> samples_;
  TrackReader* sound_ = nullptr;
  std::vector<float> piece_;
  bool ended_ = true;
};

// The page test's own stream on the show's track, playing from a set position.
std::unique_ptr<AudioStream> testStream;

}  // namespace

bool InitAudio(int) { return WebAudioReady() != 0; }
void CloseAudio() { WebAudioStop(); }

std::unique_ptr<AudioStream> OpenAudioStream(const uint8_t* bytes, size_t size, std::string& problem) {
  return std::make_unique<WebAudioStream>(bytes, size, problem);
}

std::unique_ptr<AudioStream> OpenAudioStream(const uint8_t* bytes, size_t size) {
  std::string problem;
  return OpenAudioStream(bytes, size, problem);
}

// No audio thread hands buffers to a device here, so the log stays empty.
void StartAudioBufferLog(AudioBufferRecord*, int) {}
int StopAudioBufferLog() { return 0; }

extern "C" {

// The page test's hooks: the show's track played from ms as the show plays it (1 when it can be
// played), its position, and the sum of its spectrum's magnitudes there.
EMSCRIPTEN_KEEPALIVE int vexTestSoundFrom(int ms) {
  static std::vector<uint8_t> track;
  testStream.reset();
  if (!ReadFileBytes("data/music/sonorrak.mp3", track)) return 0;
  std::string problem;
  testStream = OpenAudioStream(track.data(), track.size(), problem);
  if (!problem.empty()) {
    testStream.reset();
    return 0;
  }
  testStream->Play(false);
  testStream->SeekMs(ms);
  return 1;
}

EMSCRIPTEN_KEEPALIVE int vexTestSoundPositionMs() { return testStream ? testStream->PositionMs() : -1; }

EMSCRIPTEN_KEEPALIVE double vexTestSoundSpectrumSum() {
  if (!testStream) return 0;
  float magnitudes[kSpectrumBins];
  testStream->Spectrum(magnitudes);
  double sum = 0;
  for (float m : magnitudes) sum += m;
  return sum;
}

}  // extern "C"
