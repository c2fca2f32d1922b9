// Option parsing for the bench: strict, so a typo never runs a long measurement for nothing.
#include "bench/show/BenchOptions.h"

#include <algorithm>
#include <charconv>

#include "bench/show/BenchWindows.h"

namespace {

constexpr int kMaxFrames = 100000;

bool TakeValue(const std::vector<std::string>& args, size_t& i, std::string& value, std::string& error) {
  const std::string& arg = args[i];
  const size_t equals = arg.find('=');
  if (equals != std::string::npos) {
    value = arg.substr(equals + 1);
    return true;
  }
  if (i + 1 >= args.size()) {
    error = arg + " needs a value";
    return false;
  }
  value = args[++i];
  return true;
}

// Comma-separated window names, each one of the bench's own.
bool ParseWindows(const std::string& text, std::vector<std::string>& names, std::string& error) {
  size_t start = 0;
  while (start <= text.size()) {
    const size_t comma = std::min(text.find(',', start), text.size());
    const std::string name = text.substr(start, comma - start);
    if (!FindBenchWindow(name)) {
      error = "unknown window '" + name + "'";
      return false;
    }
    names.push_back(name);
    start = comma + 1;
  }
  return true;
}

std::string OptionName(const std::string& arg) { return arg.substr(0, arg.find('=')); }

bool ParseFrames(const std::string& text, int& frames) {
  const char* end = text.data() + text.size();
  const auto [at, failure] = std::from_chars(text.data(), end, frames);
  return failure == std::errc() && at == end && frames >= 1 && frames <= kMaxFrames;
}

}  // namespace

BenchParseResult ParseBenchArguments(const std::vector<std::string>& args) {
  BenchParseResult result;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string name = OptionName(args[i]);
    std::string value;
    if (name == "--help" || name == "-h") {
      result.status = BenchParse::help;
      return result;
    }
    if (name != "--frames" && name != "--csv" && name != "--chart" && name != "--windows") {
      result.error = "unknown option '" + args[i] + "'";
      return result;
    }
    if (!TakeValue(args, i, value, result.error)) return result;
    if (name == "--frames" && !ParseFrames(value, result.options.frames)) {
      result.error = "bad frame count '" + value + "' (want 1 to 100000)";
      return result;
    }
    if (name == "--windows") {
      if (!ParseWindows(value, result.options.windows, result.error)) return result;
      continue;
    }
    if (name != "--frames" && value.empty()) {
      result.error = name + " needs a file name";
      return result;
    }
    if (name == "--csv") result.options.csvPath = value;
    if (name == "--chart") result.options.chartPath = value;
  }
  if (result.options.frames == 0 || result.options.csvPath.empty()) {
    result.error = result.options.frames == 0 ? "--frames is required" : "--csv is required";
    return result;
  }
  result.status = BenchParse::run;
  return result;
}

const char* BenchUsage() {
  return "usage: vexilograph-bench --frames N --csv FILE [--chart FILE.png] [--windows NAME,...]\n"
         "  Renders N frames spread over each of the show's 17 windows offscreen (800 x 600) and\n"
         "  reports frame times (median, 95th percentile), the share of scene, captions, glow and\n"
         "  overlays, the fill-work floor, start-up phases, peak memory and allocations per frame, in ms\n"
         "  and in FSQ: the time of one full-screen textured quad, measured in the same run.\n"
         "  --windows measures only the named windows (as the table names them).\n"
         "  Run from the build folder, which holds data/.\n";
}
