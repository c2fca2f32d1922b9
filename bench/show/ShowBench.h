// Measuring one window of the show: whole frames, frames split into stages, and the floor.
#pragma once
#include <cstdint>

#include "bench/show/BenchWindows.h"

struct WindowResult {
  const BenchWindow* window = nullptr;
  int frames = 0;
  double medianMs = 0;
  double p95Ms = 0;
  // The same frames with every screen pass drawn as written (what the shortcuts replace).
  double plainMedianMs = 0;
  double plainP95Ms = 0;
  // Medians of the frames drawn again with a glFinish after every stage.
  double sceneMs = 0;
  double captionsMs = 0;
  double glowMs = 0;
  double overlaysMs = 0;
  double bandsMs = 0;  // the spectrum copy (the offline clock decodes and analyses the track)
  double floorMs = 0;
  double allocationsPerFrame = 0;  // operator new calls during DrawTimeline, the driver's included
  double fsqMs = 0;  // one full-screen quad, measured around this window's frames
};

// A time in full-screen quads of the same window's measurement.
inline double InFsq(const WindowResult& r, double ms) { return r.fsqMs > 0 ? ms / r.fsqMs : 0; }

// Renders frames positions spread over the window three times over: split into stages first,
// which also lets the driver compile whatever its rasteriser needs for them; then whole, timed
// and with the allocations counted, each beside the same frame in plain passes; then the floor. Needs the show started on the offline
// clock, the floor textures and the full-screen quad made.
void MeasureWindow(const BenchWindow& window, int frames, WindowResult& result);
