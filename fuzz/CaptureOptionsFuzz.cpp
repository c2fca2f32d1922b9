// The capture tool's command line: the input is split at zero bytes into arguments. Whatever
// they say, parsing ends in one of its three answers without reading or writing out of bounds.
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "tools/capture/CaptureOptions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> args(1);
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0) args.emplace_back();
    else args.back().push_back(static_cast<char>(data[i]));
  }
  const CaptureParse status = ParseCaptureArguments(args).status;
  FUZZ_CHECK(status == CaptureParse::run || status == CaptureParse::help || status == CaptureParse::usageError);
  return 0;
}
