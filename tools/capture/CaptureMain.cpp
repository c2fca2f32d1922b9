// vexilograph-capture: the show as frames, video, PNG sequences or a contact sheet, without a
// display or sound card.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/capture/CaptureRun.h"
#include "tools/capture/CaptureOptions.h"
#include "tools/capture/RenderWorkers.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  RenderWorkerTask task;
  if (ParseRenderWorkerArguments(args, task)) return RunRenderWorker(task, TakeResultsOutput());
  const CaptureParseResult parsed = ParseCaptureArguments(args);
  if (parsed.status == CaptureParse::help) {
    std::fputs(CaptureUsage(), stdout);
    return 0;
  }
  if (parsed.status == CaptureParse::usageError) {
    std::fprintf(stderr, "vexilograph-capture: %s\n%s", parsed.error.c_str(), CaptureUsage());
    return 2;
  }
  std::string error;
  const int status = RunCapture(parsed.options, error);
  if (!error.empty()) std::fprintf(stderr, "vexilograph-capture: %s\n", error.c_str());
  return status;
}
