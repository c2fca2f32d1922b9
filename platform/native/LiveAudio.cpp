// The music stream on the audio output: MP3 stream at the mix rate, interpolated clock and the
// ring of recent samples the spectrum reads. Mix samples are the track's own time (TrackReader),
// so counting those the device has taken counts the track whatever the file's rate. The callback
// runs on the audio thread with the output's mutex held; the main thread takes the same mutex for
// every read of or change to the stream.
#include "platform/LiveAudio.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <string>

#include "platform/MonotonicTime.h"
#include "platform/SpectrumAnalyser.h"
#include "platform/TrackReader.h"
#include "platform/native/AudioOutput.h"

namespace {

constexpr int kMaxDeviceFrames = 4096;
constexpr int kRingSize = 16384;  // recent mono samples, more than a window plus two buffers
static_assert((kRingSize & (kRingSize - 1)) == 0 && kRingSize >= kSpectrumWindow + 2 * kMaxDeviceFrames);

struct BufferLog {
  AudioBufferRecord* records = nullptr;  // under the output's mutex
  int capacity = 0;
  int count = 0;
};
BufferLog bufferLog;

class LiveStream final : public AudioStream, public OutputClient {
 public:
  LiveStream(const uint8_t* bytes, size_t size, std::string& problem) : analyser_(CreateSpectrumAnalyser()) {
    problem.clear();
    if (size == 0) problem = "the file is empty";
    else reader_ = OpenTrackReader(bytes, size, problem);
  }

  ~LiveStream() override {
    {
      std::lock_guard<std::mutex> lock(OutputMutex());
      if (CurrentOutputClient() == this) SetOutputClient(nullptr);
    }
    CloseTrackReader(reader_);
    DestroySpectrumAnalyser(analyser_);
  }

  void Play(bool paused) override {
    std::lock_guard<std::mutex> lock(OutputMutex());
    SetOutputClient(this);
    paused_ = true;
    MoveTo(0, MonotonicSeconds());
    SetPausedLocked(paused);
  }

  void SetPaused(bool paused) override {
    std::lock_guard<std::mutex> lock(OutputMutex());
    SetPausedLocked(paused);
  }

  int PositionMs() override {
    std::lock_guard<std::mutex> lock(OutputMutex());
    return MsForSample(HeardSample(MonotonicSeconds()));
  }

  void SeekMs(int ms) override {
    std::lock_guard<std::mutex> lock(OutputMutex());
    MoveTo(SampleForMs(ms), MonotonicSeconds());
  }

  int TrackMs() override { return reader_ ? MsForSample(static_cast<double>(TrackLength(*reader_))) : 0; }

  void Spectrum(float magnitudes[kSpectrumBins]) override {
    {
      std::lock_guard<std::mutex> lock(OutputMutex());
      const int64_t end = static_cast<int64_t>(HeardSample(MonotonicSeconds()));
      for (int i = 0; i < kSpectrumWindow; ++i) {
        const int64_t sample = end - kSpectrumWindow + i;
        const bool held = sample >= ringValidFrom_ && sample < nextSample_;
        window_[i] = held ? ring_[sample & (kRingSize - 1)] : 0.0f;
      }
    }
    AnalyseSpectrum(*analyser_, window_, magnitudes);
  }

  // Audio thread, output mutex held. A paused stream hands the device silence and keeps its place.
  void Fill(float* stereo, int frames, double now) override {
    if (paused_) {
      std::fill(stereo, stereo + 2 * frames, 0.0f);
      return;
    }
    // The clock ran on without the device (lost, reopened or stalled): the sound picks up where
    // the show is, as a seek would put it.
    if (freeRunning_) MoveTo(static_cast<int64_t>(std::llround(HeardSample(now))), now);
    freeRunning_ = false;
    size_t got = 0;
    if (!pastEnd_) got = ReadTrack(*reader_, stereo, static_cast<size_t>(frames));
    if (got < static_cast<size_t>(frames)) pastEnd_ = true;
    std::fill(stereo + 2 * got, stereo + 2 * frames, 0.0f);
    for (int i = 0; i < frames; ++i)
      ring_[(nextSample_ + i) & (kRingSize - 1)] = 0.5f * (stereo[2 * i] + stereo[2 * i + 1]);
    if (bufferLog.count < bufferLog.capacity) bufferLog.records[bufferLog.count++] = {now, nextSample_, frames};
    // The device plays this buffer from now on: what it held before has just run out.
    baseSample_ = static_cast<double>(nextSample_);
    baseTime_ = now;
    nextSample_ += frames;
    limitSample_ = static_cast<double>(nextSample_);
  }

 private:
  // Lock held.
  void SetPausedLocked(bool paused) {
    const double now = MonotonicSeconds();
    if (paused && !paused_) {
      baseSample_ = HeardSample(now);
      limitSample_ = baseSample_;
    }
    baseTime_ = now;
    paused_ = paused;
  }

  // Lock held. Interpolates from the last buffer handed over, never beyond what the device was
  // given, never behind an earlier answer. While the device takes nothing (none, lost, or
  // stalled for a few periods) it runs on the monotonic clock from where it stood.
  double HeardSample(double now) {
    if (paused_) return baseSample_;
    if (!freeRunning_ && !OutputTakingSamples(now)) {
      freeRunning_ = true;
      baseSample_ = lastReported_;
      baseTime_ = now;
    }
    double sample = baseSample_ + (now - baseTime_) * kMixRate;
    if (!freeRunning_) sample = std::min(sample, limitSample_);
    sample = std::max(sample, lastReported_);
    lastReported_ = sample;
    return sample;
  }

  // Lock held. The heard position jumps to sample and stands there until the device takes the
  // first buffer from it, since the device still plays what it held from before; without a
  // device taking samples it runs on from there.
  void MoveTo(int64_t sample, double now) {
    pastEnd_ = !reader_ || sample >= TrackLength(*reader_) || !SeekTrack(*reader_, sample);
    nextSample_ = sample;
    ringValidFrom_ = sample;
    baseSample_ = limitSample_ = lastReported_ = static_cast<double>(sample);
    baseTime_ = now;
    freeRunning_ = !OutputTakingSamples(now);
  }

  TrackReader* reader_ = nullptr;
  SpectrumAnalyser* analyser_;
  bool paused_ = true;
  bool pastEnd_ = true;
  bool freeRunning_ = false;   // the clock runs on the monotonic clock, not on the device
  int64_t nextSample_ = 0;     // first track sample of the next buffer handed over
  int64_t ringValidFrom_ = 0;  // ring samples before this belong to the time before a seek
  double baseSample_ = 0;      // heard at baseTime_
  double baseTime_ = 0;
  double limitSample_ = 0;
  double lastReported_ = 0;
  float ring_[kRingSize] = {};
  float window_[kSpectrumWindow] = {};
};

}  // namespace

bool InitAudio(int mixRate) { return OpenOutput(mixRate); }

void CloseAudio() { CloseOutput(); }

std::unique_ptr<AudioStream> OpenAudioStream(const uint8_t* bytes, size_t size) {
  std::string problem;
  return OpenAudioStream(bytes, size, problem);
}

std::unique_ptr<AudioStream> OpenAudioStream(const uint8_t* bytes, size_t size, std::string& problem) {
  return std::make_unique<LiveStream>(bytes, size, problem);
}

void StartAudioBufferLog(AudioBufferRecord* records, int capacity) {
  std::lock_guard<std::mutex> lock(OutputMutex());
  bufferLog = {records, capacity, 0};
}

int StopAudioBufferLog() {
  std::lock_guard<std::mutex> lock(OutputMutex());
  bufferLog.capacity = 0;
  return bufferLog.count;
}
