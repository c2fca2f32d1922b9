// The meter writes from whichever thread finishes frames; the interrupt flag is a sig_atomic_t.
#include "tools/capture/CaptureProgress.h"

#include <unistd.h>

#include <csignal>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;

volatile std::sig_atomic_t interrupted = 0;

void RaiseFlag(int) { interrupted = 1; }

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

}  // namespace

CaptureProgress StartProgress(int64_t totalFrames) {
  CaptureProgress progress;
  progress.total = totalFrames;
  progress.start = progress.shown = Clock::now();
  progress.terminal = isatty(STDERR_FILENO) == 1;
  return progress;
}

void ShowProgress(CaptureProgress& progress, int64_t done) {
  const Clock::time_point now = Clock::now();
  const double interval = progress.terminal ? 0.5 : 5.0;
  if (Seconds(now - progress.shown) < interval && done < progress.total) return;
  progress.shown = now;
  const double elapsed = Seconds(now - progress.start);
  const double fps = elapsed > 0 ? done / elapsed : 0;
  const long left = fps > 0 ? static_cast<long>((progress.total - done) / fps + 0.5) : 0;
  std::fprintf(stderr, "%sframes %lld/%lld  %.1f fps  ETA %ld:%02ld%s", progress.terminal ? "\r" : "",
               static_cast<long long>(done), static_cast<long long>(progress.total), fps, left / 60, left % 60,
               progress.terminal ? "   " : "\n");
}

double EndProgress(const CaptureProgress& progress) {
  if (progress.terminal) std::fputs("\r\033[K", stderr);
  return Seconds(Clock::now() - progress.start);
}

void CatchInterrupt() {
  struct sigaction action = {};
  action.sa_handler = RaiseFlag;
  action.sa_flags = SA_RESETHAND | SA_RESTART;  // writes in flight carry on
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
}

bool Interrupted() { return interrupted != 0; }
