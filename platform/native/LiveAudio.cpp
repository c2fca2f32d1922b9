// SDL2 audio device, MP3 stream at the mix rate, interpolated clock and the ring of recent
// samples the spectrum reads. Mix samples are the track's own time (TrackReader), so counting
// those the device has taken counts the track whatever the file's rate. The callback runs on
// SDL's audio thread; SDL holds the device lock around it, and the main thread takes the same
// lock for every read of or change to the stream.
#include "platform/LiveAudio.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/MonotonicTime.h"
#include "platform/SpectrumAnalyser.h"
#include "platform/TrackReader.h"

namespace {

// 1024 frames: 23 ms per callback. SDL's PulseAudio output drops pieces of 512-frame buffers on
// a busy machine (a recorded sine came back 3 % off itself; clean at 1024), and the clock
// interpolates between callbacks, so the longer buffer does not make it coarser.
constexpr int kDeviceFrames = 1024;
constexpr int kRingSize = 8192;  // recent mono samples, more than a window plus a buffer
static_assert((kRingSize & (kRingSize - 1)) == 0 && kRingSize >= kSpectrumWindow + 2 * kDeviceFrames);

class LiveStream;

struct AudioDevice {
  SDL_AudioDeviceID id = 0;
  LiveStream* playing = nullptr;
  AudioBufferRecord* log = nullptr;  // written by the callback, under the device lock
  int logCapacity = 0;
  int logCount = 0;
};
AudioDevice device;

void FillFromDevice(void* userdata, Uint8* out, int bytes);

class DeviceLock {
 public:
  explicit DeviceLock(SDL_AudioDeviceID id) : id_(id) {
    if (id_) SDL_LockAudioDevice(id_);
  }
  ~DeviceLock() {
    if (id_) SDL_UnlockAudioDevice(id_);
  }

 private:
  SDL_AudioDeviceID id_;
};

class LiveStream final : public AudioStream {
 public:
  LiveStream(const uint8_t* bytes, size_t size, std::string& problem) : analyser_(CreateSpectrumAnalyser()) {
    problem.clear();
    if (size == 0) problem = "the file is empty";
    else reader_ = OpenTrackReader(bytes, size, problem);
  }

  ~LiveStream() override {
    {
      DeviceLock lock(device.id);
      if (device.playing == this) device.playing = nullptr;
    }
    if (device.id && !device.playing) SDL_PauseAudioDevice(device.id, 1);
    CloseTrackReader(reader_);
    DestroySpectrumAnalyser(analyser_);
  }

  void Play(bool paused) override {
    {
      DeviceLock lock(device.id);
      deviceId_ = device.id;
      device.playing = this;
      MoveTo(0, MonotonicSeconds());
      paused_ = true;
    }
    SetPaused(paused);
  }

  void SetPaused(bool paused) override {
    {
      DeviceLock lock(deviceId_);
      const double now = MonotonicSeconds();
      if (paused && !paused_) {
        baseSample_ = HeardSample(now);
        limitSample_ = baseSample_;
      }
      baseTime_ = now;
      paused_ = paused;
    }
    if (deviceId_) SDL_PauseAudioDevice(deviceId_, paused ? 1 : 0);
  }

  int PositionMs() override {
    DeviceLock lock(deviceId_);
    return MsForSample(HeardSample(MonotonicSeconds()));
  }

  void SeekMs(int ms) override {
    DeviceLock lock(deviceId_);
    MoveTo(SampleForMs(ms), MonotonicSeconds());
  }

  int TrackMs() override { return reader_ ? MsForSample(static_cast<double>(TrackLength(*reader_))) : 0; }

  void Spectrum(float magnitudes[kSpectrumBins]) override {
    {
      DeviceLock lock(deviceId_);
      const int64_t end = static_cast<int64_t>(HeardSample(MonotonicSeconds()));
      for (int i = 0; i < kSpectrumWindow; ++i) {
        const int64_t sample = end - kSpectrumWindow + i;
        const bool held = sample >= ringValidFrom_ && sample < nextSample_;
        window_[i] = held ? ring_[sample & (kRingSize - 1)] : 0.0f;
      }
    }
    AnalyseSpectrum(*analyser_, window_, magnitudes);
  }

  // Audio thread, device lock held by SDL.
  void Fill(float* stereo, int frames) {
    const double now = MonotonicSeconds();
    size_t got = 0;
    if (!pastEnd_) got = ReadTrack(*reader_, stereo, static_cast<size_t>(frames));
    if (got < static_cast<size_t>(frames)) pastEnd_ = true;
    std::fill(stereo + 2 * got, stereo + 2 * frames, 0.0f);
    for (int i = 0; i < frames; ++i)
      ring_[(nextSample_ + i) & (kRingSize - 1)] = 0.5f * (stereo[2 * i] + stereo[2 * i + 1]);
    if (device.logCount < device.logCapacity) device.log[device.logCount++] = {now, nextSample_, frames};
    // The device plays this buffer from now on: what it held before has just run out.
    baseSample_ = static_cast<double>(nextSample_);
    baseTime_ = now;
    nextSample_ += frames;
    limitSample_ = static_cast<double>(nextSample_);
  }

 private:
  // Lock held. Interpolates from the last buffer handed over; without a device, from the last
  // seek. Never beyond what the device was given, never behind an earlier answer.
  double HeardSample(double now) {
    if (paused_) return baseSample_;
    double sample = baseSample_ + (now - baseTime_) * kMixRate;
    if (deviceId_) sample = std::min(sample, limitSample_);
    sample = std::max(sample, lastReported_);
    lastReported_ = sample;
    return sample;
  }

  // Lock held. The heard position jumps to sample and stands there until the device takes the
  // first buffer from it, since the device still plays what it held from before.
  void MoveTo(int64_t sample, double now) {
    pastEnd_ = !reader_ || sample >= TrackLength(*reader_) || !SeekTrack(*reader_, sample);
    nextSample_ = sample;
    ringValidFrom_ = sample;
    baseSample_ = limitSample_ = lastReported_ = static_cast<double>(sample);
    baseTime_ = now;
  }

  SDL_AudioDeviceID deviceId_ = 0;
  TrackReader* reader_ = nullptr;
  SpectrumAnalyser* analyser_;
  bool paused_ = true;
  bool pastEnd_ = true;
  int64_t nextSample_ = 0;     // first track sample of the next buffer handed over
  int64_t ringValidFrom_ = 0;  // ring samples before this belong to the time before a seek
  double baseSample_ = 0;      // heard at baseTime_
  double baseTime_ = 0;
  double limitSample_ = 0;
  double lastReported_ = 0;
  float ring_[kRingSize] = {};
  float window_[kSpectrumWindow] = {};
};

void FillFromDevice(void* userdata, Uint8* out, int bytes) {
  auto* owner = static_cast<AudioDevice*>(userdata);
  auto* stereo = reinterpret_cast<float*>(out);
  const int frames = bytes / static_cast<int>(2 * sizeof(float));
  if (owner->playing) owner->playing->Fill(stereo, frames);
  else std::fill(stereo, stereo + 2 * frames, 0.0f);
}

}  // namespace

bool InitAudio(int mixRate) {
  if (device.id) return true;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  SDL_AudioSpec wanted = {};
  wanted.freq = mixRate;
  wanted.format = AUDIO_F32SYS;
  wanted.channels = 2;
  wanted.samples = kDeviceFrames;
  wanted.callback = FillFromDevice;
  wanted.userdata = &device;
  SDL_AudioSpec obtained = {};
  // No allowed changes: SDL converts to the device's own format itself.
  device.id = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
  if (!device.id) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  return true;
}

void CloseAudio() {
  if (!device.id) return;
  SDL_CloseAudioDevice(device.id);
  device.id = 0;
  device.playing = nullptr;
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

std::unique_ptr<AudioStream> OpenAudioStream(const uint8_t* bytes, size_t size) {
  std::string problem;
  return OpenAudioStream(bytes, size, problem);
}

std::unique_ptr<AudioStream> OpenAudioStream(const uint8_t* bytes, size_t size, std::string& problem) {
  return std::make_unique<LiveStream>(bytes, size, problem);
}

void StartAudioBufferLog(AudioBufferRecord* records, int capacity) {
  DeviceLock lock(device.id);
  device.log = records;
  device.logCapacity = capacity;
  device.logCount = 0;
}

int StopAudioBufferLog() {
  DeviceLock lock(device.id);
  device.logCapacity = 0;
  return device.logCount;
}
