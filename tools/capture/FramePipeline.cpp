// Two queues of buffer numbers under one lock: free buffers go to the producer, full ones to
// the consumer, and an end mark follows the last full one.
#include "tools/capture/FramePipeline.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

constexpr int kEndMark = -1;

struct Queues {
  std::mutex lock;
  std::condition_variable changed;
  std::deque<int> free;
  std::deque<int> full;
  bool consumerFailed = false;

  int Take(std::deque<int>& from) {
    std::unique_lock<std::mutex> held(lock);
    changed.wait(held, [&] { return !from.empty(); });
    const int slot = from.front();
    from.pop_front();
    return slot;
  }
  void Give(std::deque<int>& to, int slot) {
    {
      std::lock_guard<std::mutex> held(lock);
      to.push_back(slot);
    }
    changed.notify_all();
  }
};

bool RunInTurn(PipelineFrame& frame, const ProduceFrame& produce, const ConsumeFrame& consume, PipelineTimes& times) {
  for (int64_t index = 0;; ++index) {
    frame.index = index;
    Clock::time_point start = Clock::now();
    if (!produce(frame)) return true;
    times.produceSeconds += SecondsSince(start);
    start = Clock::now();
    const bool consumed = consume(frame);
    times.consumeSeconds += SecondsSince(start);
    if (!consumed) return false;
    ++times.frames;
  }
}

// After a failure the consumer keeps handing buffers back, so the producer never waits forever.
void ConsumeAll(std::vector<PipelineFrame>& frames, Queues& queues, const ConsumeFrame& consume, PipelineTimes& times) {
  bool failed = false;
  while (true) {
    const int slot = queues.Take(queues.full);
    if (slot == kEndMark) return;
    if (!failed) {
      const Clock::time_point start = Clock::now();
      failed = !consume(frames[slot]);
      times.consumeSeconds += SecondsSince(start);
      if (failed) {
        std::lock_guard<std::mutex> held(queues.lock);
        queues.consumerFailed = true;
      } else {
        ++times.frames;
      }
    }
    queues.Give(queues.free, slot);
  }
}

bool Failed(Queues& queues) {
  std::lock_guard<std::mutex> held(queues.lock);
  return queues.consumerFailed;
}

}  // namespace

bool RunFramePipeline(int depth, size_t frameBytes, bool overlapped, const ProduceFrame& produce,
                      const ConsumeFrame& consume, PipelineTimes& times) {
  std::vector<PipelineFrame> frames(overlapped ? static_cast<size_t>(depth) : 1);
  for (PipelineFrame& frame : frames) frame.rgb.resize(frameBytes);
  if (!overlapped) return RunInTurn(frames[0], produce, consume, times);

  Queues queues;
  for (int slot = 0; slot < depth; ++slot) queues.free.push_back(slot);
  std::thread consumer(ConsumeAll, std::ref(frames), std::ref(queues), std::cref(consume), std::ref(times));
  for (int64_t index = 0; !Failed(queues); ++index) {
    const int slot = queues.Take(queues.free);
    PipelineFrame& frame = frames[static_cast<size_t>(slot)];
    frame.index = index;
    const Clock::time_point start = Clock::now();
    if (!produce(frame)) break;
    times.produceSeconds += SecondsSince(start);
    queues.Give(queues.full, slot);
  }
  queues.Give(queues.full, kEndMark);
  consumer.join();
  return !queues.consumerFailed;
}
