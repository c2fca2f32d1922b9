// Capture speed: rendering a frame (at 800 x 600 and natively larger), encoding one, whole spans
// with the two overlapped or in turn, and a capture spread over 1 and 2 processes. The whole
// show at 60 fps is 16920 frames, so 60 frames/s captures it in its own 282 s.
// Run from the build folder: build/bench/capture/bench-capture. The GL and encoder work runs on
// their own threads, so the times are wall-clock.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/HeadlessGl.h"
#include "platform/VideoEncoder.h"
#include "tools/capture/CaptureFrames.h"
#include "tools/capture/CaptureSequence.h"

namespace {

std::string ScratchFile(const char* name) { return (std::filesystem::temp_directory_path() / name).string(); }

void RenderFrame(benchmark::State& state) {
  std::vector<uint8_t> rgb;
  int64_t frame = FirstRateFrameFrom(100000, 60);
  for (auto _ : state) RenderCaptureFrame(RateFrameMs(frame++, 60), 60, FrameLayout{}, rgb);
  state.SetItemsProcessed(state.iterations());
}

void EncodeFrame(benchmark::State& state) {
  std::vector<std::vector<uint8_t>> frames(8);
  for (size_t i = 0; i < frames.size(); ++i) RenderCaptureFrame(100000 + 17 * static_cast<int>(i), frames[i]);
  VideoEncoderSettings settings;
  settings.path = ScratchFile("vex-bench-encode.mp4");
  settings.width = kCaptureWidth;
  settings.height = kCaptureHeight;
  settings.sampleRate = 0;
  std::string error;
  VideoEncoder* encoder = OpenVideoEncoder(settings, error);
  if (!encoder) {
    state.SkipWithError(error.c_str());
    return;
  }
  size_t next = 0;
  for (auto _ : state) EncodeVideoFrame(*encoder, frames[next++ % frames.size()].data(), error);
  CloseVideoEncoder(encoder, error);
  state.SetItemsProcessed(state.iterations());
}

// Two seconds of the show (120 frames) to an MP4 with its music; items are frames.
void CaptureSpan(benchmark::State& state) {
  CaptureOptions options;
  options.form = CaptureForm::video;
  options.outFile = ScratchFile("vex-bench-span.mp4");
  options.fromMs = 100000;
  options.toMs = 102000;
  options.pipelined = state.range(0) != 0;
  std::string error;
  for (auto _ : state) RunSequenceCapture(options, FrameLayout{}, error);
  state.SetItemsProcessed(state.iterations() * SequenceFrameCount(options));
}

// One frame rendered natively at each size (the show restarted in a context of that size);
// 3840x2160 renders a 2880 x 2160 picture between bars.
constexpr int kSizes[][2] = {{800, 600}, {1600, 1200}, {1920, 1080}, {3840, 2160}};

void RenderFrameAtSize(benchmark::State& state) {
  const FrameLayout layout = LayoutFrame(kSizes[state.range(0)][0], kSizes[state.range(0)][1]);
  HeadlessGl gl;
  std::string error;
  if (!CreateHeadlessGl(layout.pictureWidth, layout.pictureHeight, gl, error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  StartCaptureShow(layout);
  std::vector<uint8_t> rgb;
  int64_t frame = FirstRateFrameFrom(100000, 60);
  RenderCaptureFrame(RateFrameMs(frame++, 60), 60, layout, rgb);  // the replay up to 100 s, untimed
  for (auto _ : state) RenderCaptureFrame(RateFrameMs(frame++, 60), 60, layout, rgb);
  state.SetLabel(std::to_string(layout.width) + "x" + std::to_string(layout.height));
  state.SetItemsProcessed(state.iterations());
  DestroyHeadlessGl(gl);
}

// Eight seconds at 10 fps through ./capture-parallel in 2-second parts, with 1 and then 2
// jobs; the second reports its speed-up over the first, measured in the same run.
void ParallelCapture(benchmark::State& state) {
  static double oneJobSeconds = 0;
  const std::string out = ScratchFile("vex-bench-parallel.mp4");
  const std::string command = "./capture-parallel --video " + out +
                              " --from 100 --to 108 --fps 10 --span 2 --force --jobs " +
                              std::to_string(state.range(0)) + " 2>/dev/null";
  double seconds = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    if (std::system(command.c_str()) != 0) state.SkipWithError("capture-parallel failed");
    seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  if (state.range(0) == 1) oneJobSeconds = seconds;
  else if (oneJobSeconds > 0) state.counters["speedup"] = oneJobSeconds / seconds;
  state.SetItemsProcessed(state.iterations() * 80);
}

BENCHMARK(RenderFrame)->Unit(benchmark::kMillisecond)->MinTime(2)->UseRealTime();
BENCHMARK(EncodeFrame)->Unit(benchmark::kMillisecond)->MinTime(2)->UseRealTime();
BENCHMARK(CaptureSpan)->ArgName("overlapped")->Arg(0)->Arg(1)->Unit(benchmark::kSecond)->Iterations(2)->UseRealTime();
// Last: each size restarts the show in a context of its own.
BENCHMARK(ParallelCapture)->ArgName("jobs")->Arg(1)->Arg(2)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
BENCHMARK(RenderFrameAtSize)->ArgName("size")->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->MinTime(3)
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  HeadlessGl gl;
  std::string error;
  if (!CreateHeadlessGl(kCaptureWidth, kCaptureHeight, gl, error)) {
    std::fprintf(stderr, "bench-capture: %s\n", error.c_str());
    return 1;
  }
  StartCaptureShow();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
