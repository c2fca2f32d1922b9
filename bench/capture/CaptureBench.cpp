// Capture speed: rendering a frame, encoding one, and whole spans with the two overlapped or in
// turn. The whole show at 60 fps is 16920 frames, so 60 frames/s captures it in its own 282 s.
// Run from the build folder: build/bench/capture/bench-capture. The GL and encoder work runs on
// their own threads, so the times are wall-clock.
#include <benchmark/benchmark.h>

#include <cstdio>
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

BENCHMARK(RenderFrame)->Unit(benchmark::kMillisecond)->MinTime(2)->UseRealTime();
BENCHMARK(EncodeFrame)->Unit(benchmark::kMillisecond)->MinTime(2)->UseRealTime();
BENCHMARK(CaptureSpan)->ArgName("overlapped")->Arg(0)->Arg(1)->Unit(benchmark::kSecond)->Iterations(2)->UseRealTime();

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
