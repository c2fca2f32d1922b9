// The show's sound output in a browser, on Web Audio: the page decodes the track into an
// AudioBuffer once the listener has clicked (browsers start sound only then); a buffer source
// plays it from any position, and the position heard is the start offset plus the context's
// time since the start, less the output latency. The spectrum is computed from the same
// decoder's samples as everywhere else (mpg123 through the offline clock), at that position.
#include <emscripten.h>

#include <algorithm>

#include "platform/LiveAudio.h"
#include "platform/OfflineClock.h"

// The page sets Module.vexAudio = {context, buffer} before the show starts (buffer null when the
// browser could not decode the track).
EM_JS(int, WebAudioReady, (), { return Module.vexAudio && Module.vexAudio.buffer ? 1 : 0; });

EM_JS(int, WebAudioTrackMs, (), { return Math.floor(Module.vexAudio.buffer.duration * 1000); });

// Starts the track at ms (silence past its end) and notes when, on the context's clock.
EM_JS(void, WebAudioPlayFrom, (int ms), {
  const audio = Module.vexAudio;
  if (audio.source) {
    audio.source.stop();
    audio.source.disconnect();
  }
  audio.source = null;
  const offset = ms / 1000;
  if (offset < audio.buffer.duration) {
    audio.source = audio.context.createBufferSource();
    audio.source.buffer = audio.buffer;
    audio.source.connect(audio.context.destination);
    audio.source.start(0, offset);
  }
  audio.startTime = audio.context.currentTime;
  audio.startMs = ms;
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
  if (audio && audio.source) audio.source.stop();
  if (audio) audio.source = null;
});

namespace {
class WebAudioStream final : public AudioStream {
 public:
  WebAudioStream(const uint8_t* bytes, size_t size, std::string& problem)
      : samples_(CreateOfflineClock(bytes, size, problem)) {
    if (problem.empty() && !WebAudioReady()) problem = "the browser cannot decode it";
  }
  ~WebAudioStream() override { WebAudioStop(); }

  int PositionMs() override { return WebAudioPositionMs(); }
  void SeekMs(int ms) override { WebAudioPlayFrom(std::max(ms, 0)); }

  void Spectrum(float magnitudes[kSpectrumBins]) override {
    samples_->SeekMs(PositionMs());
    samples_->Spectrum(magnitudes);
  }

  void Play(bool paused) override {
    WebAudioPlayFrom(0);
    WebAudioSetPaused(paused ? 1 : 0);
  }

  void SetPaused(bool paused) override { WebAudioSetPaused(paused ? 1 : 0); }
  int TrackMs() override { return WebAudioTrackMs(); }

 private:
  std::unique_ptr<MusicClock> samples_;
};
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
