// Progress of long captures on stderr: frames done, frames per second, time left; and Ctrl-C.
#pragma once
#include <chrono>
#include <cstdint>

struct CaptureProgress {
  int64_t total = 0;
  std::chrono::steady_clock::time_point start;
  std::chrono::steady_clock::time_point shown;
  bool terminal = false;  // one line rewritten in place; otherwise a line every few seconds
};

CaptureProgress StartProgress(int64_t totalFrames);
// Cheap to call every frame: prints only now and then.
void ShowProgress(CaptureProgress& progress, int64_t done);
// Clears the progress line; returns the seconds since StartProgress.
double EndProgress(const CaptureProgress& progress);

// From now on Ctrl-C (SIGINT) only raises a flag, once; a second Ctrl-C ends the process.
void CatchInterrupt();
bool Interrupted();
