// The capture tool's command line: the input is split at zero bytes into arguments. Whatever
// they say, parsing never fails unsafely, and a run carries ascending, unique, in-range times.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/capture/CaptureOptions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> args(1);
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0) args.emplace_back();
    else args.back().push_back(static_cast<char>(data[i]));
  }
  const CaptureParseResult result = ParseCaptureArguments(args);
  if (result.status != CaptureParse::run) return 0;
  const std::vector<int>& frames = result.options.framesMs;
  if (frames.empty()) std::abort();
  for (size_t i = 0; i < frames.size(); ++i) {
    if (frames[i] < 0 || frames[i] > 1000000000) std::abort();
    if (i > 0 && frames[i] <= frames[i - 1]) std::abort();
  }
  return 0;
}
