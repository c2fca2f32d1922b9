// Option parsing for the capture tool: exact decimal times, strict about everything else.
#include "tools/capture/CaptureOptions.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr int64_t kMaxSeconds = 1000000;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool ParseTimeList(const std::string& list, std::vector<int>& framesMs, std::string& error) {
  size_t start = 0;
  while (true) {
    const size_t comma = list.find(',', start);
    const std::string item = list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    int ms = 0;
    if (!ParseDemoTimeMs(item, ms)) {
      error = "bad demo time '" + item + "' (want seconds such as 2 or 34.5, 0 to 1000000)";
      return false;
    }
    framesMs.push_back(ms);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return true;
}

// Splits "--name=value" or takes the next argument as the value.
bool TakeValue(const std::vector<std::string>& args, size_t& i, const std::string& name, std::string& value,
               std::string& error) {
  const std::string& arg = args[i];
  if (arg.size() > name.size() && arg[name.size()] == '=') {
    value = arg.substr(name.size() + 1);
    return true;
  }
  if (i + 1 >= args.size()) {
    error = name + " needs a value";
    return false;
  }
  value = args[++i];
  return true;
}

bool Matches(const std::string& arg, const std::string& name) {
  return arg == name || (arg.size() > name.size() && arg.compare(0, name.size(), name) == 0 && arg[name.size()] == '=');
}

}  // namespace

bool ParseDemoTimeMs(const std::string& text, int& ms) {
  int64_t whole = 0;
  size_t i = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    whole = whole * 10 + (text[i] - '0');
    if (whole > kMaxSeconds) return false;
  }
  const bool hasWhole = i > 0;
  int64_t fraction = 0;  // thousandths
  int64_t roundUp = 0;
  if (i < text.size() && text[i] == '.') {
    ++i;
    const size_t fractionStart = i;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
      const size_t place = i - fractionStart;
      if (place < 3) fraction = fraction * 10 + (text[i] - '0');
      else if (place == 3) roundUp = text[i] >= '5' ? 1 : 0;
    }
    const size_t fractionDigits = i - fractionStart;
    if (fractionDigits == 0 && !hasWhole) return false;
    for (size_t place = fractionDigits; place < 3; ++place) fraction *= 10;
  } else if (!hasWhole) {
    return false;
  }
  if (i != text.size()) return false;
  const int64_t total = whole * 1000 + fraction + roundUp;
  if (total > kMaxSeconds * 1000) return false;
  ms = static_cast<int>(total);
  return true;
}

CaptureParseResult ParseCaptureArguments(const std::vector<std::string>& args) {
  CaptureParseResult result;
  bool haveTimes = false, haveOut = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    std::string value;
    if (arg == "--help" || arg == "-h") {
      result.status = CaptureParse::help;
      return result;
    }
    if (Matches(arg, "--at")) {
      if (!TakeValue(args, i, "--at", value, result.error) ||
          !ParseTimeList(value, result.options.framesMs, result.error))
        return result;
      haveTimes = true;
    } else if (Matches(arg, "--out")) {
      if (!TakeValue(args, i, "--out", value, result.error)) return result;
      if (value.empty()) {
        result.error = "--out needs a folder";
        return result;
      }
      result.options.outDir = value;
      haveOut = true;
    } else {
      result.error = "unknown option '" + arg + "'";
      return result;
    }
  }
  if (!haveTimes || !haveOut) {
    result.error = !haveTimes ? "--at is required" : "--out is required";
    return result;
  }
  std::vector<int>& frames = result.options.framesMs;
  std::sort(frames.begin(), frames.end());
  frames.erase(std::unique(frames.begin(), frames.end()), frames.end());
  result.status = CaptureParse::run;
  return result;
}

const char* CaptureUsage() {
  return "usage: vexilograph-capture --at T1,T2,... --out DIR\n"
         "  Renders the show offscreen at the demo times T (seconds, e.g. 2,34.5,130) and writes\n"
         "  each frame as DIR/<ms>.png (800 x 600 RGB). Run from the folder that holds data/.\n";
}
