// Option parsing for the proof tool: times in exact decimal seconds, counts in range.
#include "tools/proof/ProofOptions.h"

#include <cstdint>
#include <cstdio>

#include "tools/capture/CaptureOptions.h"

namespace {

constexpr int kMaxJobs = 16;
constexpr int kMaxReport = 100;

bool ParseCount(const std::string& text, int low, int high, int& value) {
  if (text.empty() || text.size() > 9) return false;
  int64_t n = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    n = n * 10 + (c - '0');
  }
  if (n < low || n > high) return false;
  value = static_cast<int>(n);
  return true;
}

std::string SecondsText(int ms) {
  char text[32];
  std::snprintf(text, sizeof text, "%d.%03d", ms / 1000, ms % 1000);
  return text;
}

}  // namespace

ProofParseResult ParseProofArguments(const std::vector<std::string>& args) {
  ProofParseResult result;
  ProofOptions& o = result.options;
  const auto fail = [&](const std::string& message) {
    result.status = ProofParse::usageError;
    result.error = message;
    return result;
  };
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      result.status = ProofParse::help;
      return result;
    }
    if (i + 1 >= args.size()) return fail("unknown option or missing value: " + arg);
    const std::string& value = args[++i];
    if (arg == "--window") {
      o.selection.windows.push_back(value);
    } else if (arg == "--from" || arg == "--to") {
      int ms = 0;
      if (!ParseDemoTimeMs(value, ms)) return fail("bad time '" + value + "' (seconds such as 85.5)");
      (arg == "--from" ? o.selection.fromMs : o.selection.toMs) = ms;
    } else if (arg == "--every") {
      if (!ParseCount(value, 1, 1000000, o.selection.every)) return fail("--every wants 1 to 1000000");
    } else if (arg == "--jobs") {
      if (!ParseCount(value, 1, kMaxJobs, o.jobs)) return fail("--jobs wants 1 to 16");
    } else if (arg == "--report") {
      if (!ParseCount(value, 0, kMaxReport, o.report)) return fail("--report wants 0 to 100");
    } else if (arg == "--diff-dir") {
      o.diffDir = value;
    } else if (arg == "--side") {
      if (value != "as-written" && value != "new-order") return fail("--side wants as-written or new-order");
      o.side = value == "as-written" ? ProofSide::asWritten : ProofSide::newOrder;
    } else if (arg == "--job") {
      if (!ParseCount(value, 0, kMaxJobs - 1, o.job)) return fail("--job wants 0 to 15");
    } else {
      return fail("unknown option " + arg);
    }
  }
  if (o.selection.fromMs > o.selection.toMs) return fail("--from lies after --to");
  if (o.job >= o.jobs) return fail("--job must be below --jobs");
  return result;
}

std::vector<std::string> WorkerArguments(const ProofOptions& options, ProofSide side, int job) {
  std::vector<std::string> args = {"--side",  side == ProofSide::asWritten ? "as-written" : "new-order",
                                   "--job",   std::to_string(job),
                                   "--jobs",  std::to_string(options.jobs),
                                   "--from",  SecondsText(options.selection.fromMs),
                                   "--to",    SecondsText(options.selection.toMs),
                                   "--every", std::to_string(options.selection.every)};
  for (const std::string& window : options.selection.windows) {
    args.push_back("--window");
    args.push_back(window);
  }
  return args;
}

const char* ProofUsage() {
  return "usage: vexilograph-proof [--window NAME]... [--from S] [--to S] [--every N] [--jobs N]\n"
         "                         [--report N] [--diff-dir DIR]\n"
         "Draws every ms of the chosen windows (all of them unless named; --from/--to cut the range,\n"
         "in seconds) both ways, as a continuous run at 1000 frames per second: with the shortcuts and\n"
         "new drawing orders, and everything as written; then the same for the capture's 60 fps run.\n"
         "Every frame's bytes are compared. --every N keeps every Nth ms (and Nth grid frame) plus the\n"
         "first frame of each window. --jobs N runs N pairs of workers, each pair one span.\n"
         "The first --report N (default 5) differing frames get a difference PNG in --diff-dir\n"
         "(default proof-diffs): the differing pixels red over the frame as written, darkened.\n"
         "Exit status: 0 no frame differs, 1 some differ, 2 bad options, 3 a worker failed.\n"
         "Run from the build folder, where data/ is.\n";
}
