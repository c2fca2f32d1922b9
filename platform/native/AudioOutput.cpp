// The audio device, its period per backend, and the thread that notices its loss and reopens it.
// Only this file's threads call SDL's audio device functions once the watch runs, so a device is
// never closed under another thread's call.
#include "platform/native/AudioOutput.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "platform/MonotonicTime.h"

namespace {

// PipeWire runs its graph at 48 kHz in periods of a power of two, rounded down from what the
// streams ask: 1024 frames (21.3 ms) once a stream asks for at least 941 of 44.1 kHz. SDL's
// PipeWire backend asks for its callback's size; pipewire-pulse grants SDL's PulseAudio stream
// about a quarter of the target length SDL passes, which is the callback's size (1024 came out
// at 256 frames, 3840 at 1038).
int FramesFor(const char* driver) {
  if (driver && std::strcmp(driver, "pulseaudio") == 0) return 3840;
  return 1024;
}

// Longer than the stalls a busy machine makes, so that a live server's device is never closed.
constexpr double kLostAfterSeconds = 2.0;
constexpr auto kRetryEvery = std::chrono::seconds(1);
constexpr auto kWatchEvery = std::chrono::milliseconds(100);
// How long CloseOutput waits for a reopen in progress: PipeWire's open waits for a sink to link
// to, as long as none is there.
constexpr auto kReopenWaitAtClose = std::chrono::seconds(2);

struct Output {
  std::mutex mutex;
  std::condition_variable wake;
  OutputClient* client = nullptr;  // the rest under mutex too
  SDL_AudioDeviceID id = 0;        // the watch's own once it runs
  int mixRate = 0;
  int frames = 0;
  bool taking = false;  // open and not known to be lost
  double lastFill = 0;
  bool watching = false;
  bool stopping = false;
  std::thread watch;
};
Output output;

void FillFromDevice(void*, Uint8* out, int bytes) {
  // SDL raises the threads it runs callbacks on itself (nice -20, or through RealtimeKit), but its
  // PipeWire backend calls from its stream's thread loop at normal priority, which a busy machine
  // starves into gaps; so the callback raises whichever thread it finds itself on, once.
  thread_local const bool raised = SDL_SetThreadPriority(SDL_THREAD_PRIORITY_TIME_CRITICAL) == 0;
  (void)raised;
  auto* stereo = reinterpret_cast<float*>(out);
  const int frames = bytes / static_cast<int>(2 * sizeof(float));
  std::lock_guard<std::mutex> lock(output.mutex);
  const double now = MonotonicSeconds();
  output.lastFill = now;
  if (output.client) output.client->Fill(stereo, frames, now);
  else std::fill(stereo, stereo + 2 * frames, 0.0f);
}

// Opened paused, so the caller can note it before the first callback. With no changes allowed
// the callback always sees the asked size; SDL converts to whatever the server takes.
SDL_AudioDeviceID OpenDevice(int mixRate, int& frames) {
  SDL_AudioSpec wanted = {};
  wanted.freq = mixRate;
  wanted.format = AUDIO_F32SYS;
  wanted.channels = 2;
  wanted.samples = static_cast<Uint16>(FramesFor(SDL_GetCurrentAudioDriver()));
  wanted.callback = FillFromDevice;
  SDL_AudioSpec obtained = {};
  const SDL_AudioDeviceID id = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
  frames = wanted.samples;
  return id;
}

// Lock held. Notes a device just opened (paused); the caller unpauses it after unlocking.
void Adopt(SDL_AudioDeviceID id, int frames) {
  output.id = id;
  output.frames = frames;
  output.taking = true;
  output.lastFill = MonotonicSeconds();
}

void Report(const char* line) {
  std::fprintf(stderr, "vexilograph: %s\n", line);
  std::fflush(stderr);
}

// Lock held on entry and exit. Closes the lost device and opens a new one once a second until
// one opens or the watch stops.
void Reopen(std::unique_lock<std::mutex>& lock) {
  const SDL_AudioDeviceID lost = output.id;
  output.id = 0;
  output.taking = false;
  lock.unlock();
  SDL_CloseAudioDevice(lost);  // waits for a callback in progress, which takes the lock
  lock.lock();
  while (!output.stopping) {
    const int mixRate = output.mixRate;
    lock.unlock();
    int frames = 0;
    const SDL_AudioDeviceID id = OpenDevice(mixRate, frames);
    lock.lock();
    if (id && output.stopping) {
      lock.unlock();
      SDL_CloseAudioDevice(id);
      lock.lock();
      return;
    }
    if (id) {
      Adopt(id, frames);
      lock.unlock();
      SDL_PauseAudioDevice(id, 0);
      Report("sound is back");
      lock.lock();
      return;
    }
    output.wake.wait_for(lock, kRetryEvery, [] { return output.stopping; });
  }
}

void Watch() {
  std::unique_lock<std::mutex> lock(output.mutex);
  while (!output.stopping) {
    output.wake.wait_for(lock, kWatchEvery, [] { return output.stopping; });
    if (output.stopping) break;
    // SDL marks a device it has lost as stopped (and sends SDL_AUDIODEVICEREMOVED), then calls
    // the callback on as if it played. Its PipeWire backend never does: it stops calling.
    const bool removed = SDL_GetAudioDeviceStatus(output.id) == SDL_AUDIO_STOPPED;
    const bool silent = MonotonicSeconds() - output.lastFill > kLostAfterSeconds;
    if (!removed && !silent) continue;
    Report(removed ? "sound lost (the audio device was removed); the show goes on silently and reopens it every second"
                   : "sound lost (the audio device takes no samples); the show goes on silently and reopens it every second");
    Reopen(lock);
  }
  output.watching = false;
  output.wake.notify_all();
}

}  // namespace

bool OpenOutput(int mixRate) {
  // Open, or lost and being reopened by the watch.
  if (output.watch.joinable()) return true;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  int frames = 0;
  const SDL_AudioDeviceID id = OpenDevice(mixRate, frames);
  if (!id) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  {
    std::lock_guard<std::mutex> lock(output.mutex);
    output.mixRate = mixRate;
    Adopt(id, frames);
    output.stopping = false;
    output.watching = true;
  }
  SDL_PauseAudioDevice(id, 0);
  output.watch = std::thread(Watch);
  static bool closeAtExit = false;
  // Registered after the shell's SDL shutdown, so it runs before it.
  if (!closeAtExit) closeAtExit = std::atexit(CloseOutput) == 0;
  return true;
}

void CloseOutput() {
  if (!output.watch.joinable()) return;
  bool stopped = false;
  {
    std::unique_lock<std::mutex> lock(output.mutex);
    output.stopping = true;
    output.wake.notify_all();
    stopped = output.wake.wait_for(lock, kReopenWaitAtClose, [] { return !output.watching; });
  }
  if (!stopped) {
    // Still inside SDL's open: left to the process's end rather than holding the exit.
    output.watch.detach();
    return;
  }
  output.watch.join();
  SDL_AudioDeviceID id = 0;
  {
    std::lock_guard<std::mutex> lock(output.mutex);
    id = output.id;
    output.id = 0;
    output.taking = false;
    output.client = nullptr;
  }
  if (id) SDL_CloseAudioDevice(id);
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

std::mutex& OutputMutex() { return output.mutex; }

void SetOutputClient(OutputClient* client) { output.client = client; }

OutputClient* CurrentOutputClient() { return output.client; }

bool OutputTakingSamples(double now) {
  if (!output.taking) return false;
  // A few periods, with room for a late audio thread: a busy machine's shorter stalls only delay
  // the sound, where running on would make the track skip.
  const double stallSeconds = std::max(3.0 * output.frames / output.mixRate + 0.05, 0.25);
  return now - output.lastFill <= stallSeconds;
}
