// Cost of one frame's surface: the surface-following extraction against a plain classification
// of all 64,000 cells, at demo times from both metaball stretches of the show.
#include <benchmark/benchmark.h>

#include <utility>

#include "director/DemoRandom.h"
#include "director/DemoState.h"
#include "metaballs/MetaballField.h"
#include "metaballs/SurfacePolygoniser.h"

namespace {
// Demo times in milliseconds, inside 168-175 s and 181.5-188.5 s.
constexpr int64_t kFrameTimesMs[] = {168500, 170000, 171500, 173000, 174500,
                                     182000, 183500, 185000, 186500, 188000};

// The phases the show has: the start-up tables take the first 12,000 draws.
void UseShowPhases() {
  static bool done = false;
  if (done) return;
  ResetDemoRandom();
  for (int i = 0; i < 6 * kRandomPointCount; ++i) DemoRandom();
  InitBallPhases();
  done = true;
}

void ReportCounts(benchmark::State& state) {
  state.counters["cells"] = surfacePolygoniser.cellsClassified;
  state.counters["vertices"] = surfacePolygoniser.vertexCount;
}

// One frame's surface at the demo time given in milliseconds by the benchmark argument.
void ExtractAtTime(benchmark::State& state) {
  UseShowPhases();
  UpdateBallPositions(static_cast<float>(state.range(0)) * 0.001f);
  for (auto _ : state) {
    surfacePolygoniser.ExtractSurface();
    benchmark::DoNotOptimize(surfacePolygoniser.vertexCount);
    benchmark::ClobberMemory();
  }
  ReportCounts(state);
}

// The reference: every cell of the lattice through (-100, -100, -100), at the same time.
void ScanAtTime(benchmark::State& state) {
  UseShowPhases();
  UpdateBallPositions(static_cast<float>(state.range(0)) * 0.001f);
  for (auto _ : state) {
    surfacePolygoniser.ScanWholeLattice({-100, -100, -100});
    benchmark::DoNotOptimize(surfacePolygoniser.vertexCount);
    benchmark::ClobberMemory();
  }
  ReportCounts(state);
}
}  // namespace

// The two run side by side at each time, so that a busy machine slows both alike.
int main(int argc, char** argv) {
  using Run = void (*)(benchmark::State&);
  const std::pair<const char*, Run> runs[] = {{"ExtractSurface", ExtractAtTime}, {"PlainScan", ScanAtTime}};
  for (int64_t ms : kFrameTimesMs) {
    for (const auto& [name, run] : runs) {
      benchmark::RegisterBenchmark(name, run)
          ->Arg(ms)
          ->ArgName("t_ms")
          ->Unit(benchmark::kMicrosecond)
          ->Repetitions(5)
          ->ReportAggregatesOnly(true);
    }
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
