// Each phase is one of the start-up's own steps, called in the order the show calls them.
#include "bench/show/StartupTiming.h"

#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "director/Music.h"
#include "director/Startup.h"
#include "director/Timeline.h"
#include "platform/HeadlessGl.h"
#include "platform/MonotonicTime.h"
#include "platform/Gl.h"
#include "shell/Window.h"
#include "tools/capture/CaptureFrames.h"

namespace {

// Field 22 of /proc/self/stat: start time in clock ticks after boot.
bool ProcessStartTicks(unsigned long long& ticks) {
  FILE* file = std::fopen("/proc/self/stat", "r");
  if (!file) return false;
  char line[1024] = {};
  const bool read = std::fgets(line, sizeof line, file) != nullptr;
  std::fclose(file);
  // The command name in parentheses may hold spaces; the fields after it are plain.
  const char* after = read ? std::strrchr(line, ')') : nullptr;
  if (!after) return false;
  int field = 2;
  for (const char* at = after + 1; *at; ++at) {
    if (*at != ' ') continue;
    if (++field == 22) return std::sscanf(at + 1, "%llu", &ticks) == 1;
  }
  return false;
}

template <typename Step>
double Timed(Step step) {
  const double start = MonotonicSeconds();
  step();
  return MonotonicSeconds() - start;
}

}  // namespace

double SecondsSinceProcessStart() {
  unsigned long long ticks = 0;
  timespec now{};
  if (!ProcessStartTicks(ticks) || clock_gettime(CLOCK_BOOTTIME, &now) != 0) return 0;
  const double boot = static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
  return boot - static_cast<double>(ticks) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

bool TimeStartup(HeadlessGl& gl, int firstFrameMs, StartupTimes& times, std::string& error) {
  times.processToMain = SecondsSinceProcessStart();
  const double start = MonotonicSeconds();
  bool made = false;
  times.context = Timed([&] {
    made = CreateHeadlessGl(kCaptureWidth, kCaptureHeight, gl, error);
    if (made) ReshapeViewport(kCaptureWidth, kCaptureHeight);
  });
  if (!made) return false;
  UseOfflineMusic();
  times.textures = Timed(LoadTextures);
  times.models = Timed(LoadModels);
  times.tables = Timed(FillRandomPointTables);
  times.glState = Timed(SetSharedGlState);
  times.music = Timed(OpenMusic);
  times.firstFrame = Timed([&] {
    MusicSetTime(firstFrameMs);
    DrawTimeline();
    glFinish();
  });
  times.total = times.processToMain + (MonotonicSeconds() - start);
  return true;
}
