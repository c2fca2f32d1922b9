// A sequence's frames drawn by worker processes at once. The frames are cut into spans; worker
// j draws spans j, j + jobs, j + 2 jobs, ... as one continuous run of its own (the offline
// playback replays exactly what the frames it skips leave behind), so every frame is the one
// a single run draws, and the frames come back in the sequence's order.
#pragma once
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tools/capture/CaptureOptions.h"
#include "tools/capture/FramePipeline.h"
#include "tools/capture/WorkerProcess.h"

struct RenderWorkerTask {
  int job = 0;
  int jobs = 1;
  int spanFrames = 1;
  int fromMs = 0;
  int toMs = 0;
  int fps = 60;
  int width = 800;  // the frame; the picture inside it follows LayoutFrame
  int height = 600;
};

// The task of every worker of a capture, job left 0.
RenderWorkerTask RenderTaskFor(const CaptureOptions& options, size_t frameBytes);
// Frames per span: a whole span drawn ahead by every worker within a memory budget, at most
// two seconds of frames (fewer spans, fewer replayed starts).
int RenderSpanFrames(int jobs, size_t frameBytes, int fps);

// A worker's command line: the first argument marks it; false when args are not a worker's.
std::vector<std::string> RenderWorkerArguments(const RenderWorkerTask& task);
bool ParseRenderWorkerArguments(const std::vector<std::string>& args, RenderWorkerTask& task);
// In the worker: makes its context, starts the show, writes its spans' frames to outFd.
int RunRenderWorker(const RenderWorkerTask& task, int outFd);

// One worker's frames on their way in: a reader thread fills the slots, the capture empties
// them in turn.
struct RenderedFrames {
  WorkerProcess process;
  std::vector<std::vector<uint8_t>> slots;
  int64_t count = 0;   // frames the worker sends
  int64_t filled = 0;  // slots filled and taken, counted from the start
  int64_t taken = 0;
  bool ended = false;  // the reader has stopped, after the last frame or a failure
  std::thread reader;
};

struct RenderWorkers {
  RenderWorkerTask task;
  size_t frameBytes = 0;
  int64_t total = 0;
  std::vector<RenderedFrames> workers;
  std::mutex lock;
  std::condition_variable changed;
  bool stopping = false;
};

// False with a message, every worker started so far ended, when one cannot be started.
bool StartRenderWorkers(const std::string& selfPath, const RenderWorkerTask& task, int64_t total, size_t frameBytes,
                        RenderWorkers& workers, std::string& error);
// Frame number frame.index of the sequence into frame.rgb (buffers are swapped, not copied);
// false with a message when its worker stopped before sending it.
bool TakeRenderedFrame(RenderWorkers& workers, PipelineFrame& frame, std::string& error);
// Waits for every worker (ending them first when stopEarly); false with a message when one of
// them failed.
bool FinishRenderWorkers(RenderWorkers& workers, bool stopEarly, std::string& error);
