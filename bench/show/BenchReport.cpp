// Plain fixed-width text for people, CSV for scripts; the same numbers in both.
#include "bench/show/BenchReport.h"

namespace {
double FloorRatio(const WindowResult& r) { return r.floorMs > 0 ? r.medianMs / r.floorMs : 0; }
}  // namespace

void PrintWindowTable(std::FILE* out, const std::vector<WindowResult>& results) {
  std::fprintf(out, "%-21s %6s %6s %4s %7s %7s | %5s %5s %5s %5s | %7s %7s | %6s %6s %6s %6s %6s | %6s %5s %6s\n",
               "window", "from_s", "to_s", "n", "median", "p95", "fsq", "med_q", "p95_q", "pln_q", "plain", "plain95",
               "scene", "capt", "glow", "overl", "bands", "floor", "ratio", "allocs");
  for (const WindowResult& r : results) {
    std::fprintf(out,
                 "%-21s %6.1f %6.1f %4d %7.2f %7.2f | %5.2f %5.1f %5.1f %5.1f | %7.2f %7.2f | %6.2f %6.2f %6.2f %6.2f %6.2f | "
                 "%6.2f %5.2f %6.1f\n",
                 r.window->name, r.window->from, r.window->to, r.frames, r.medianMs, r.p95Ms, r.fsqMs,
                 InFsq(r, r.medianMs), InFsq(r, r.p95Ms), InFsq(r, r.plainMedianMs), r.plainMedianMs,
                 r.plainP95Ms, r.sceneMs, r.captionsMs, r.glowMs, r.overlaysMs, r.bandsMs, r.floorMs, FloorRatio(r),
                 r.allocationsPerFrame);
  }
  std::fprintf(out,
               "(ms; fsq: one full-screen textured quad, measured before and after the window's frames; _q: in\n"
               " those quads; plain: the same frames with every pass drawn as written, measured alternately;\n"
               " stage columns: medians of the frames re-drawn with glFinish after each stage; ratio: median /\n"
               " floor)\n");
}

void PrintStartup(std::FILE* out, const StartupTimes& t) {
  const auto ms = [](double seconds) { return seconds * 1000.0; };
  std::fprintf(out,
               "start-up %.1f ms to the first frame: process start %.1f, GL context %.1f, textures %.1f, "
               "models %.1f, tables %.1f, GL state %.1f, music %.1f, first frame %.1f\n",
               ms(t.total), ms(t.processToMain), ms(t.context), ms(t.textures), ms(t.models), ms(t.tables),
               ms(t.glState), ms(t.music), ms(t.firstFrame));
}

void PrintMemory(std::FILE* out, const MemoryUse& memory, double allocationsPerFrame) {
  std::fprintf(out, "memory: peak RSS %.1f MB (%.1f MB after the first frame); %.2f allocations per frame\n",
               memory.peakRssMb, memory.startupRssMb, allocationsPerFrame);
}

bool WriteWindowCsv(const std::string& path, const std::vector<WindowResult>& results) {
  std::FILE* file = std::fopen(path.c_str(), "w");
  if (!file) return false;
  std::fprintf(file,
               "window,from_s,to_s,frames,median_ms,p95_ms,plain_median_ms,plain_p95_ms,scene_ms,captions_ms,glow_ms,"
               "overlays_ms,bands_ms,floor_ms,floor_ratio,allocations_per_frame,fsq_ms,median_fsq,p95_fsq,plain_median_fsq\n");
  for (const WindowResult& r : results) {
    std::fprintf(file, "%s,%.3f,%.3f,%d,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.2f,%.3f,%.2f,%.2f,%.2f\n",
                 r.window->name, r.window->from, r.window->to, r.frames, r.medianMs, r.p95Ms, r.plainMedianMs,
                 r.plainP95Ms, r.sceneMs, r.captionsMs, r.glowMs, r.overlaysMs, r.bandsMs, r.floorMs, FloorRatio(r),
                 r.allocationsPerFrame, r.fsqMs, InFsq(r, r.medianMs), InFsq(r, r.p95Ms), InFsq(r, r.plainMedianMs));
  }
  return std::fclose(file) == 0;
}
