// The live music clock as a fast display reads it: the show's track playing on SDL's audio
// device (the dummy driver unless SDL_AUDIODRIVER names another), the clock read at 1 kHz for
// SECONDS (default 10), then the largest step between readings and every step back; and the same
// readings taken once per frame at 60, 120, 144 and 240 Hz, with the largest step against the
// frame's length. A step back is only ever right after a seek, and this never seeks.
// Run from the build folder: build/bench/clock/bench-clock [SECONDS].
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "director/Music.h"
#include "platform/MonotonicTime.h"

namespace {

struct Reading {
  double seconds;  // monotonic
  int ms;          // the clock
};

std::vector<Reading> ReadAtOneKilohertz(double seconds) {
  std::vector<Reading> readings;
  readings.reserve(static_cast<size_t>(seconds * 1000) + 16);
  const double start = MonotonicSeconds();
  for (int i = 0;; ++i) {
    const double due = start + i / 1000.0;
    std::this_thread::sleep_until(std::chrono::steady_clock::now() +
                                  std::chrono::duration<double>(due - MonotonicSeconds()));
    const double now = MonotonicSeconds();
    if (now - start > seconds) break;
    readings.push_back({now, MusicGetTime()});
  }
  return readings;
}

// The reading a display at hz would take for each frame: the last one at or before the frame.
void ReportRate(const std::vector<Reading>& readings, int hz) {
  const double frame = 1.0 / hz;
  int largest = 0, backwards = 0, frames = 0;
  size_t at = 0;
  int previous = -1;
  for (double t = readings.front().seconds; t <= readings.back().seconds; t += frame) {
    while (at + 1 < readings.size() && readings[at + 1].seconds <= t) ++at;
    const int ms = readings[at].ms;
    if (previous >= 0) {
      largest = std::max(largest, ms - previous);
      backwards += ms < previous;
    }
    previous = ms;
    ++frames;
  }
  std::printf("%4d Hz: %6d frames of %5.2f ms, largest step %3d ms (%.2f frames), steps back %d\n", hz, frames,
              frame * 1000, largest, largest / (frame * 1000), backwards);
}

}  // namespace

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
  if (!std::getenv("SDL_AUDIODRIVER")) setenv("SDL_AUDIODRIVER", "dummy", 1);
  StartMusic();
  // The first readings come while the device starts; the figures are for a running show.
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  const std::vector<Reading> readings = ReadAtOneKilohertz(seconds);
  if (readings.size() < 2) {
    std::fprintf(stderr, "bench-clock: no readings\n");
    return 1;
  }
  // A reading taken late (the machine busy) shows a large step that is only the time that passed;
  // the clock's own coarseness is how far a step goes beyond that time.
  int largest = 0, backwards = 0, worstBack = 0;
  double beyondElapsed = 0;
  for (size_t i = 1; i < readings.size(); ++i) {
    const int step = readings[i].ms - readings[i - 1].ms;
    largest = std::max(largest, step);
    beyondElapsed = std::max(beyondElapsed, step - (readings[i].seconds - readings[i - 1].seconds) * 1000);
    if (step < 0) {
      ++backwards;
      worstBack = std::min(worstBack, step);
    }
  }
  const double span = readings.back().seconds - readings.front().seconds;
  std::printf("1 kHz: %zu readings over %.2f s, the clock advanced %d ms; largest step %d ms (%.1f ms beyond the"
              " time between its readings), steps back %d (largest %d ms)\n",
              readings.size(), span, readings.back().ms - readings.front().ms, largest, beyondElapsed, backwards,
              -worstBack);
  for (const int hz : {60, 120, 144, 240}) ReportRate(readings, hz);
  return 0;
}
