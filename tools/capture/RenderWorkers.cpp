#include "tools/capture/RenderWorkers.h"

#include <algorithm>
#include <csignal>
#include <cstdio>

#include "platform/HeadlessGl.h"
#include "tools/capture/CaptureFrames.h"
#include "tools/capture/SequenceFrames.h"

namespace {

constexpr const char* kWorkerMark = "--render-worker";
constexpr size_t kSpanBudgetBytes = size_t{256} << 20;  // frames held ahead, all workers together

CaptureOptions SequenceOf(const RenderWorkerTask& task) {
  CaptureOptions o;
  o.fromMs = task.fromMs;
  o.toMs = task.toMs;
  o.fps = task.fps;
  return o;
}

int WorkerOfFrame(const RenderWorkerTask& task, int64_t frame) {
  return static_cast<int>((frame / task.spanFrames) % task.jobs);
}

int64_t FramesOfWorker(const RenderWorkerTask& task, int64_t total, int job) {
  int64_t count = 0;
  for (int64_t start = static_cast<int64_t>(job) * task.spanFrames; start < total;
       start += static_cast<int64_t>(task.jobs) * task.spanFrames)
    count += std::min<int64_t>(task.spanFrames, total - start);
  return count;
}

// The frames come in order, each after its sequence number; a wrong number ends the stream.
void ReadFrames(RenderWorkers& all, RenderedFrames& worker, int job) {
  int64_t expected = static_cast<int64_t>(job) * all.task.spanFrames;
  for (int64_t received = 0; received < worker.count; ++received) {
    std::vector<uint8_t>* slot = nullptr;
    {
      std::unique_lock<std::mutex> held(all.lock);
      all.changed.wait(held, [&] {
        return all.stopping || worker.filled - worker.taken < static_cast<int64_t>(worker.slots.size());
      });
      if (all.stopping) break;
      slot = &worker.slots[static_cast<size_t>(worker.filled % static_cast<int64_t>(worker.slots.size()))];
    }
    int64_t number = -1;
    if (!ReadAll(worker.process.fd, &number, sizeof number) || number != expected ||
        !ReadAll(worker.process.fd, slot->data(), all.frameBytes))
      break;
    {
      std::lock_guard<std::mutex> held(all.lock);
      ++worker.filled;
    }
    all.changed.notify_all();
    ++expected;
    if (expected % all.task.spanFrames == 0) expected += static_cast<int64_t>(all.task.jobs - 1) * all.task.spanFrames;
  }
  {
    std::lock_guard<std::mutex> held(all.lock);
    worker.ended = true;
  }
  all.changed.notify_all();
}

bool ParseInt(const std::string& text, int low, int high, int& out) {
  if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos) return false;
  out = std::stoi(text);
  return out >= low && out <= high;
}

}  // namespace

int RenderSpanFrames(int jobs, size_t frameBytes, int fps) {
  const size_t fitting = kSpanBudgetBytes / (static_cast<size_t>(jobs) * frameBytes);
  return static_cast<int>(std::clamp<size_t>(fitting, 1, static_cast<size_t>(2 * fps)));
}

RenderWorkerTask RenderTaskFor(const CaptureOptions& options, size_t frameBytes) {
  RenderWorkerTask task;
  task.jobs = options.jobs;
  task.spanFrames = RenderSpanFrames(options.jobs, frameBytes, options.fps);
  task.fromMs = options.fromMs;
  task.toMs = options.toMs;
  task.fps = options.fps;
  task.width = options.width;
  task.height = options.height;
  return task;
}

std::vector<std::string> RenderWorkerArguments(const RenderWorkerTask& task) {
  std::vector<std::string> args = {kWorkerMark};
  for (const int value : {task.job, task.jobs, task.spanFrames, task.fromMs, task.toMs, task.fps, task.width, task.height})
    args.push_back(std::to_string(value));
  return args;
}

bool ParseRenderWorkerArguments(const std::vector<std::string>& args, RenderWorkerTask& task) {
  if (args.size() != 9 || args[0] != kWorkerMark) return false;
  RenderWorkerTask t;
  const bool parsed = ParseInt(args[2], 1, 64, t.jobs) && ParseInt(args[1], 0, t.jobs - 1, t.job) &&
                      ParseInt(args[3], 1, 100000, t.spanFrames) && ParseInt(args[4], 0, kShowEndMs, t.fromMs) &&
                      ParseInt(args[5], t.fromMs, kShowEndMs, t.toMs) && ParseInt(args[6], 1, 240, t.fps) &&
                      ParseInt(args[7], 2, 16384, t.width) && ParseInt(args[8], 2, 16384, t.height);
  if (parsed) task = t;
  return parsed;
}

int RunRenderWorker(const RenderWorkerTask& task, int outFd) {
  std::signal(SIGINT, SIG_IGN);  // Ctrl-C is the capture's to handle: it ends the workers itself
  const FrameLayout layout = LayoutFrame(task.width, task.height);
  HeadlessGl gl;
  std::string error;
  if (!CreateHeadlessGl(layout.pictureWidth, layout.pictureHeight, gl, error)) {
    std::fprintf(stderr, "vexilograph-capture: render worker %d: %s\n", task.job, error.c_str());
    return 1;
  }
  StartCaptureShow(layout);
  const CaptureOptions sequence = SequenceOf(task);
  const int64_t total = SequenceFrameCount(sequence);
  std::vector<uint8_t> rgb(layout.Bytes());
  for (int64_t k = 0; k < total; ++k) {
    if (WorkerOfFrame(task, k) != task.job) continue;
    if (!RenderCaptureFrame(SequenceFrameMs(sequence, k), task.fps, layout, rgb)) return 1;
    if (!WriteAll(outFd, &k, sizeof k) || !WriteAll(outFd, rgb.data(), rgb.size())) return 1;
  }
  return 0;
}

bool StartRenderWorkers(const std::string& selfPath, const RenderWorkerTask& task, int64_t total, size_t frameBytes,
                        RenderWorkers& workers, std::string& error) {
  workers.task = task;
  workers.total = total;
  workers.frameBytes = frameBytes;
  workers.workers.resize(static_cast<size_t>(task.jobs));  // never moved once the readers run
  for (int job = 0; job < task.jobs; ++job) {
    RenderedFrames& worker = workers.workers[static_cast<size_t>(job)];
    RenderWorkerTask own = task;
    own.job = job;
    if (!StartWorkerProcess(selfPath, RenderWorkerArguments(own), worker.process)) {
      error = "cannot start render worker " + std::to_string(job);
      worker.ended = true;
      std::string ignored;
      FinishRenderWorkers(workers, true, ignored);  // a failed start leaves nothing running
      return false;
    }
    worker.count = FramesOfWorker(task, total, job);
    worker.slots.assign(static_cast<size_t>(task.spanFrames), std::vector<uint8_t>(frameBytes));
    worker.reader = std::thread(ReadFrames, std::ref(workers), std::ref(worker), job);
  }
  return true;
}

bool TakeRenderedFrame(RenderWorkers& workers, PipelineFrame& frame, std::string& error) {
  const int job = WorkerOfFrame(workers.task, frame.index);
  RenderedFrames& worker = workers.workers[static_cast<size_t>(job)];
  std::unique_lock<std::mutex> held(workers.lock);
  workers.changed.wait(held, [&] { return worker.filled > worker.taken || worker.ended; });
  if (worker.filled == worker.taken) {
    error = "render worker " + std::to_string(job) + " stopped before frame " + std::to_string(frame.index);
    return false;
  }
  frame.rgb.swap(worker.slots[static_cast<size_t>(worker.taken % static_cast<int64_t>(worker.slots.size()))]);
  ++worker.taken;
  held.unlock();
  workers.changed.notify_all();
  return true;
}

bool FinishRenderWorkers(RenderWorkers& workers, bool stopEarly, std::string& error) {
  if (stopEarly) {
    {
      std::lock_guard<std::mutex> held(workers.lock);
      workers.stopping = true;
    }
    workers.changed.notify_all();
    for (RenderedFrames& worker : workers.workers)
      if (worker.process.pid >= 0) kill(worker.process.pid, SIGTERM);
  }
  bool ok = true;
  for (size_t job = 0; job < workers.workers.size(); ++job) {
    RenderedFrames& worker = workers.workers[job];
    if (worker.reader.joinable()) worker.reader.join();
    const bool exited = FinishWorkerProcess(worker.process);
    if (!exited && !stopEarly && ok) {
      error = "render worker " + std::to_string(job) + " failed";
      ok = false;
    }
  }
  return ok;
}
