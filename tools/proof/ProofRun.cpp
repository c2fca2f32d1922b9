// The proof's coordinator. Each job is two worker processes, one per side, each drawing the
// same span of every pass as its own continuous run, so every frame sees exactly the GL state,
// bands and tunnel points its own side's predecessor left. A thread per job reads both streams
// in step and compares the frames.
#include "tools/proof/ProofRun.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/PngFile.h"
#include "tools/proof/ProofStream.h"

namespace {


struct WorkerPair {
  WorkerProcess side[2];  // as written, new order
};

struct Differing {
  int fps = 0;
  int ms = 0;
  size_t pixels = 0;
  std::vector<uint8_t> asWritten, newOrder;
};

struct JobResult {
  std::vector<size_t> compared, differing;  // per pass
  std::vector<Differing> first;             // the first few, in run order
  std::string error;
};

size_t DifferingPixels(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  size_t count = 0;
  for (size_t i = 0; i < a.size(); i += 3)
    if (a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2]) ++count;
  return count;
}

void CompareJob(const std::vector<ProofPass>& passes, const ProofOptions& options, int job, WorkerPair& workers,
                std::atomic<size_t>& done, JobResult& result) {
  std::vector<uint8_t> frames[2] = {std::vector<uint8_t>(kProofFrameBytes), std::vector<uint8_t>(kProofFrameBytes)};
  for (size_t p = 0; p < passes.size() && result.error.empty(); ++p) {
    result.compared.push_back(0);
    result.differing.push_back(0);
    for (const int ms : JobShare(passes[p].framesMs, job, options.jobs)) {
      for (int side = 0; side < 2; ++side) {
        ProofFrameHeader header{};
        if (!ReadAll(workers.side[side].fd, &header, sizeof header) || !ReadAll(workers.side[side].fd, frames[side].data(), kProofFrameBytes)) {
          result.error = "a worker stopped before the frame at " + std::to_string(ms) + " ms";
          return;
        }
        if (header.fps != passes[p].fps || header.ms != ms) {
          result.error = "a worker sent the frame at " + std::to_string(header.ms) + " ms for " + std::to_string(ms);
          return;
        }
      }
      ++result.compared.back();
      ++done;
      if (std::memcmp(frames[0].data(), frames[1].data(), kProofFrameBytes) == 0) continue;
      ++result.differing.back();
      if (static_cast<int>(result.first.size()) < options.report)
        result.first.push_back({passes[p].fps, ms, DifferingPixels(frames[0], frames[1]), frames[0], frames[1]});
    }
  }
}

// The frame as written at a quarter of its brightness, each differing pixel pure red.
bool WriteDifferencePng(const std::string& path, const Differing& d, std::string& error) {
  PngImage image;
  image.width = kProofWidth;
  image.height = kProofHeight;
  image.channels = 3;
  image.pixels.resize(kProofFrameBytes);
  for (size_t i = 0; i < kProofFrameBytes; i += 3) {
    const bool differs = std::memcmp(&d.asWritten[i], &d.newOrder[i], 3) != 0;
    for (size_t c = 0; c < 3; ++c)
      image.pixels[i + c] = differs ? (c == 0 ? 255 : 0) : static_cast<uint8_t>(d.asWritten[i + c] / 4);
  }
  return WritePngFile(path, image, error);
}

void ReportProgress(const std::atomic<size_t>& done, size_t total, const std::atomic<bool>& finished) {
  const auto start = std::chrono::steady_clock::now();
  auto next = start + std::chrono::seconds(15);
  while (!finished) {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const auto now = std::chrono::steady_clock::now();
    if (now < next) continue;
    next = now + std::chrono::seconds(15);
    const double seconds = std::chrono::duration<double>(now - start).count();
    const double rate = static_cast<double>(done) / seconds;
    std::fprintf(stderr, "vexilograph-proof: %zu of %zu frame pairs, %.1f per s, about %.0f s left\n", done.load(),
                 total, rate, rate > 0 ? static_cast<double>(total - done) / rate : 0.0);
  }
}

}  // namespace

int RunProof(const ProofOptions& options, const std::string& selfPath) {
  std::vector<std::string> unknown;
  const std::vector<ProofPass> passes = SelectProofFrames(options.selection, unknown);
  for (const std::string& name : unknown) {
    std::fprintf(stderr, "vexilograph-proof: no window is named '%s'\n", name.c_str());
    return 2;
  }
  size_t total = 0;
  for (const ProofPass& pass : passes) total += pass.framesMs.size();

  std::vector<WorkerPair> workers(static_cast<size_t>(options.jobs));
  for (int job = 0; job < options.jobs; ++job)
    for (int side = 0; side < 2; ++side)
      if (!StartWorkerProcess(selfPath, WorkerArguments(options, side == 0 ? ProofSide::asWritten : ProofSide::newOrder, job),
                               workers[static_cast<size_t>(job)].side[side])) {
        std::fprintf(stderr, "vexilograph-proof: cannot start a worker\n");
        return 3;
      }
  const auto start = std::chrono::steady_clock::now();
  std::atomic<size_t> done{0};
  std::atomic<bool> finished{false};
  std::vector<JobResult> results(static_cast<size_t>(options.jobs));
  std::vector<std::thread> threads;
  for (int job = 0; job < options.jobs; ++job)
    threads.emplace_back(CompareJob, std::cref(passes), std::cref(options), job,
                         std::ref(workers[static_cast<size_t>(job)]), std::ref(done), std::ref(results[static_cast<size_t>(job)]));
  std::thread progress(ReportProgress, std::cref(done), total, std::cref(finished));
  for (std::thread& thread : threads) thread.join();
  finished = true;
  progress.join();
  bool workersOk = true;
  for (auto& pair : workers)
    for (WorkerProcess& worker : pair.side) workersOk = FinishWorkerProcess(worker) && workersOk;

  int status = 0;
  for (const JobResult& result : results)
    if (!result.error.empty()) {
      std::fprintf(stderr, "vexilograph-proof: %s\n", result.error.c_str());
      status = 3;
    }
  if (!workersOk) status = 3;
  if (status != 0) return status;

  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  size_t allCompared = 0, allDiffering = 0;
  for (size_t p = 0; p < passes.size(); ++p) {
    size_t compared = 0, differing = 0;
    for (const JobResult& result : results) {
      compared += result.compared[p];
      differing += result.differing[p];
    }
    allCompared += compared;
    allDiffering += differing;
    std::printf("%d fps: %zu frames compared, %zu differing (%d window entries among them)\n", passes[p].fps, compared,
                differing, passes[p].windowEntries);
  }
  std::printf("all: %zu frames compared, %zu differing, in %.0f s with %d job(s)\n", allCompared, allDiffering, seconds,
              options.jobs);

  std::vector<Differing> first;
  for (JobResult& result : results)
    for (Differing& d : result.first) first.push_back(std::move(d));
  std::stable_sort(first.begin(), first.end(), [](const Differing& a, const Differing& b) {
    return a.fps != b.fps ? a.fps > b.fps : a.ms < b.ms;  // the passes' order: 1000 fps first
  });
  if (static_cast<int>(first.size()) > options.report) first.resize(static_cast<size_t>(options.report));
  if (!first.empty()) std::filesystem::create_directories(options.diffDir);
  for (const Differing& d : first) {
    const std::string path =
        options.diffDir + "/" + std::to_string(d.fps) + "fps-" + std::to_string(d.ms) + "ms.png";
    std::string error;
    const bool written = WriteDifferencePng(path, d, error);
    std::printf("differs: %d fps frame at %d ms (t = %.3f s), %zu pixels, %s\n", d.fps, d.ms, d.ms / 1000.0, d.pixels,
                written ? path.c_str() : error.c_str());
  }
  return allDiffering == 0 ? 0 : 1;
}
