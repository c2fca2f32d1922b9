// Frame times are taken around DrawTimeline and a glFinish, with the bands of the frame before
// loaded beforehand, so the clock's seeking and decoding for them stay outside the measurement.
#include "bench/show/ShowBench.h"

#include <vector>

#include "bench/show/AllocationCounter.h"
#include "bench/show/FloorFrame.h"
#include "bench/show/FrameStats.h"
#include "bench/show/FullScreenQuad.h"
#include "director/Music.h"
#include "director/Timeline.h"
#include "platform/MonotonicTime.h"
#include "platform/Gl.h"
#include "tools/capture/CaptureFrames.h"

namespace {

constexpr int kStageCount = 5;
double stageStart = 0;
double stageSeconds[kStageCount] = {};

void RecordStage(FrameStage stage) {
  glFinish();
  const double now = MonotonicSeconds();
  stageSeconds[static_cast<int>(stage)] = now - stageStart;
  stageStart = now;
}

void PrepareFrame(int ms) {
  LoadBandsOfFrameAt(BandSourceMs(ms));
  MusicSetTime(ms);
}

double Milliseconds(double seconds) { return seconds * 1000.0; }

}  // namespace

void MeasureWindow(const BenchWindow& window, int frames, WindowResult& result) {
  std::vector<int> times;
  SampleTimesMs(window, frames, times);
  std::vector<double> whole, plain, floor;
  std::vector<double> stages[kStageCount];
  whole.reserve(times.size());  // nothing of the bench's own may allocate between the counts
  plain.reserve(times.size());
  floor.reserve(times.size());
  for (std::vector<double>& stage : stages) stage.reserve(times.size());

  PrepareFrame(times.front());
  DrawTimeline();
  glFinish();

  frameStageHook = RecordStage;
  for (const int ms : times) {
    PrepareFrame(ms);
    glFinish();
    stageStart = MonotonicSeconds();
    DrawTimeline();
    for (int s = 0; s < kStageCount; ++s) stages[s].push_back(Milliseconds(stageSeconds[s]));
  }
  frameStageHook = nullptr;

  // The plain passes frame by frame beside the shortcuts, so both see the same machine load, and
  // the unit quad just before and after them.
  const double fsqBefore = MeasureFullScreenQuadMs();
  int64_t allocations = 0;
  for (const int ms : times) {
    PrepareFrame(ms);
    double start = MonotonicSeconds();
    DrawTimeline(PassMode::plain);
    glFinish();
    plain.push_back(Milliseconds(MonotonicSeconds() - start));
    PrepareFrame(ms);
    const int64_t before = AllocationCount();
    start = MonotonicSeconds();
    DrawTimeline();
    glFinish();
    whole.push_back(Milliseconds(MonotonicSeconds() - start));
    allocations += AllocationCount() - before;
  }
  result.fsqMs = (fsqBefore + MeasureFullScreenQuadMs()) / 2;

  DrawFloorFrame(DemoTimeFromMs(times.front()));
  glFinish();
  for (const int ms : times) {
    const double start = MonotonicSeconds();
    DrawFloorFrame(DemoTimeFromMs(ms));
    glFinish();
    floor.push_back(Milliseconds(MonotonicSeconds() - start));
  }

  result.window = &window;
  result.frames = frames;
  result.medianMs = Median(whole);
  result.p95Ms = Percentile95(whole);
  result.plainMedianMs = Median(plain);
  result.plainP95Ms = Percentile95(plain);
  result.sceneMs = Median(stages[static_cast<int>(FrameStage::scene)]);
  result.captionsMs = Median(stages[static_cast<int>(FrameStage::captions)]);
  result.glowMs = Median(stages[static_cast<int>(FrameStage::glow)]);
  result.overlaysMs = Median(stages[static_cast<int>(FrameStage::overlays)]);
  result.bandsMs = Median(stages[static_cast<int>(FrameStage::bands)]);
  result.floorMs = Median(floor);
  result.allocationsPerFrame = static_cast<double>(allocations) / frames;
}
