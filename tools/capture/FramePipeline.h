// Rendering and encoding at once: the caller's thread produces frames (it owns the GL context)
// while a second thread consumes them, through a bounded set of preallocated frame buffers.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

struct PipelineFrame {
  int64_t index = 0;  // 0, 1, 2, ... in the order produced
  int ms = 0;
  std::vector<uint8_t> rgb;
};

struct PipelineTimes {
  int64_t frames = 0;          // consumed
  double produceSeconds = 0;   // summed over frames, on the producing thread
  double consumeSeconds = 0;   // on the consuming thread
};

// Fills the frame (its index is set already); false when there are no more frames.
using ProduceFrame = std::function<bool(PipelineFrame& frame)>;
// Takes one frame, in production order (it may borrow the buffer but must leave it the same
// size); false to stop early (after an error).
using ConsumeFrame = std::function<bool(PipelineFrame& frame)>;

// depth frames of frameBytes each are in flight at most. With overlapped false both steps run
// in turn on the caller's thread (one buffer). Returns false if consume stopped the run.
bool RunFramePipeline(int depth, size_t frameBytes, bool overlapped, const ProduceFrame& produce,
                      const ConsumeFrame& consume, PipelineTimes& times);
