// Option parsing for the capture tool: exact decimal times, strict about everything else.
#include "tools/capture/CaptureOptions.h"

#include <sched.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <thread>

#include "director/OfflinePlayback.h"

namespace {

constexpr int64_t kMaxSeconds = 1000000;
constexpr int kMaxRenderJobs = 16;
constexpr int kMaxDefaultRenderJobs = 4;  // more processes than that add memory, not speed, here
constexpr int kMaxThumbnails = 1000;  // a sheet of about 170 rows, 25000 pixels tall
// Below this the picture is too small to read; above it a frame (width x height x 3 bytes, a
// few in flight) outgrows memory long before the renderer's own limits, checked at run time.
constexpr int kMinSize = 160;
constexpr int kMaxSize = 16384;

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

bool ParseCount(const std::string& text, int low, int high, int& value) {
  if (text.empty() || text.size() > 9) return false;
  int64_t n = 0;
  for (const char c : text) {
    if (!IsDigit(c)) return false;
    n = n * 10 + (c - '0');
  }
  if (n < low || n > high) return false;
  value = static_cast<int>(n);
  return true;
}

// "WIDTHxHEIGHT", both even (H.264's 4:2:0 chroma halves them) and in kMinSize..kMaxSize.
bool ParseSize(const std::string& text, int& width, int& height) {
  const size_t x = text.find('x');
  if (x == std::string::npos) return false;
  return ParseCount(text.substr(0, x), kMinSize, kMaxSize, width) &&
         ParseCount(text.substr(x + 1), kMinSize * 3 / 4, kMaxSize, height) && width % 2 == 0 && height % 2 == 0;
}

bool IsX264Preset(const std::string& name) {
  for (const char* preset : {"ultrafast", "superfast", "veryfast", "faster", "fast", "medium", "slow", "slower",
                             "veryslow", "placebo"})
    if (name == preset) return true;
  return false;
}

// Which forms an option belongs to, so that "--crf" with "--png-dir" is caught.
struct OptionRule {
  const char* name;
  bool takesValue;
  std::set<CaptureForm> forms;  // empty: every form
};

const OptionRule kRules[] = {
    {"--at", true, {CaptureForm::frames}},
    {"--out", true, {CaptureForm::frames}},
    {"--video", true, {CaptureForm::video}},
    {"--png-dir", true, {CaptureForm::pngSequence}},
    {"--contact-sheet", true, {CaptureForm::contactSheet}},
    {"--wav", true, {CaptureForm::sound}},
    {"--from", true, {CaptureForm::video, CaptureForm::pngSequence, CaptureForm::sound}},
    {"--to", true, {CaptureForm::video, CaptureForm::pngSequence, CaptureForm::sound}},
    {"--fps", true, {CaptureForm::video, CaptureForm::pngSequence, CaptureForm::sound}},
    {"--size", true, {CaptureForm::frames, CaptureForm::video, CaptureForm::pngSequence, CaptureForm::contactSheet}},
    {"--crf", true, {CaptureForm::video}},
    {"--scale", true, {CaptureForm::video}},
    {"--smooth", false, {CaptureForm::video}},
    {"--no-sound", false, {CaptureForm::video}},
    {"--preset", true, {CaptureForm::video}},
    {"--jobs", true, {CaptureForm::video, CaptureForm::pngSequence}},
    {"--every", true, {CaptureForm::contactSheet}},
    {"--columns", true, {CaptureForm::contactSheet}},
    {"--force", false, {}},
    {"--no-pipeline", false, {}},
};

const OptionRule* FindRule(const std::string& arg) {
  for (const OptionRule& rule : kRules) {
    if (rule.takesValue ? Matches(arg, rule.name) : arg == rule.name) return &rule;
  }
  return nullptr;
}

bool NeedsPath(const std::string& name, const std::string& value, std::string& error) {
  if (!value.empty()) return true;
  error = name + " needs a path";
  return false;
}

// Stores one option's value; false with a message when the value is bad.
bool Apply(const std::string& name, const std::string& value, CaptureOptions& o, std::string& error) {
  auto bad = [&](const char* want) {
    error = "bad " + name + " '" + value + "' (want " + want + ")";
    return false;
  };
  if (name == "--at") return ParseTimeList(value, o.framesMs, error);
  if (name == "--out" || name == "--png-dir") {
    o.outDir = value;
    return NeedsPath(name, value, error);
  }
  if (name == "--video" || name == "--contact-sheet" || name == "--wav") {
    o.outFile = value;
    return NeedsPath(name, value, error);
  }
  if (name == "--from") return ParseDemoTimeMs(value, o.fromMs) || bad("seconds such as 60 or 61.5");
  if (name == "--to") return ParseDemoTimeMs(value, o.toMs) || bad("seconds such as 90 or 282");
  if (name == "--fps") return ParseCount(value, 1, 240, o.fps) || bad("frames per second, 1 to 240");
  if (name == "--crf") return ParseCount(value, 0, 51, o.crf) || bad("0 to 51, lower is better");
  if (name == "--scale") return ParseCount(value, 1, 3, o.scale) || bad("1, 2 or 3");
  if (name == "--size") {
    return ParseSize(value, o.width, o.height) ||
           bad("WIDTHxHEIGHT, even numbers from 160x120 to 16384x16384, such as 1600x1200 or 1920x1080");
  }
  if (name == "--jobs") return ParseCount(value, 1, kMaxRenderJobs, o.jobs) || bad("render processes, 1 to 16");
  if (name == "--columns") return ParseCount(value, 1, 100, o.columns) || bad("1 to 100");
  if (name == "--every") {
    return (ParseDemoTimeMs(value, o.everyMs) && o.everyMs > 0) || bad("seconds above 0, such as 12");
  }
  if (name == "--preset") {
    o.preset = value;
    return IsX264Preset(value) || bad("an x264 preset: ultrafast ... veryfast ... medium ... placebo");
  }
  if (name == "--smooth") o.smooth = true;
  if (name == "--no-sound") o.sound = false;
  if (name == "--force") o.force = true;
  if (name == "--no-pipeline") o.pipelined = false;
  return true;
}

bool ChooseForm(const std::set<std::string>& seen, CaptureForm& form, std::string& error) {
  const std::pair<const char*, CaptureForm> starts[] = {{"--at", CaptureForm::frames},
                                                        {"--video", CaptureForm::video},
                                                        {"--png-dir", CaptureForm::pngSequence},
                                                        {"--contact-sheet", CaptureForm::contactSheet},
                                                        {"--wav", CaptureForm::sound}};
  int chosen = 0;
  for (const auto& [name, which] : starts) {
    if (seen.count(name)) {
      form = which;
      ++chosen;
    }
  }
  if (chosen == 1 || (chosen == 0 && seen.count("--out"))) {
    if (chosen == 0) form = CaptureForm::frames;
    return true;
  }
  error = chosen == 0 ? "say what to capture: --at, --video, --png-dir, --contact-sheet or --wav"
                      : "--at, --video, --png-dir, --contact-sheet and --wav do not go together";
  return false;
}

// Options of another form, missing companions and spans outside the show.
bool CheckCombination(const std::set<std::string>& seen, const CaptureOptions& o, std::string& error) {
  for (const std::string& name : seen) {
    const OptionRule* rule = FindRule(name);
    if (!rule->forms.empty() && !rule->forms.count(o.form)) {
      error = name + " does not go with this form";
      return false;
    }
  }
  if (o.form == CaptureForm::frames && !seen.count("--at")) error = "--at is required";
  else if (o.form == CaptureForm::frames && !seen.count("--out")) error = "--out is required";
  else if (seen.count("--size") && seen.count("--scale"))
    error = "--size renders at that size, --scale enlarges an 800x600 render: choose one";
  else if (o.form == CaptureForm::contactSheet && !seen.count("--every")) error = "--every is required";
  else if (o.form == CaptureForm::contactSheet && kShowEndMs / o.everyMs >= kMaxThumbnails)
    error = "--every gives more than " + std::to_string(kMaxThumbnails) + " thumbnails; choose 0.3 s or more";
  else if (o.toMs > kShowEndMs) error = "--to lies past the end of the show (282)";
  else if (seen.count("--jobs") && o.jobs > 1 && !o.pipelined)
    error = "--no-pipeline renders in this process: --jobs does not go with it";
  else if (o.fromMs >= o.toMs) error = "--from must come before --to";
  else if (FirstRateFrameFrom(o.fromMs, o.fps) == FirstRateFrameFrom(o.toMs, o.fps))
    error = "no frame at " + std::to_string(o.fps) + " fps falls from --from up to --to";
  return error.empty();
}

// The cores this process may run on (a batch system's share, not the whole machine).
int DefaultRenderJobs() {
  cpu_set_t cores;
  const int usable = sched_getaffinity(0, sizeof cores, &cores) == 0 ? CPU_COUNT(&cores)
                                                                      : static_cast<int>(std::thread::hardware_concurrency());
  return std::clamp(usable, 1, kMaxDefaultRenderJobs);
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
  CaptureOptions& options = result.options;
  std::set<std::string> seen;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      result.status = CaptureParse::help;
      return result;
    }
    const OptionRule* rule = FindRule(arg);
    if (!rule) {
      result.error = "unknown option '" + arg + "'";
      return result;
    }
    const std::string name = rule->name;
    std::string value;
    if (rule->takesValue && !TakeValue(args, i, name, value, result.error)) return result;
    if (seen.count(name) && name != "--at") {
      result.error = name + " given twice";
      return result;
    }
    seen.insert(name);
    if (!Apply(name, value, options, result.error)) return result;
  }
  if (!ChooseForm(seen, options.form, result.error) || !CheckCombination(seen, options, result.error)) return result;
  if (!seen.count("--jobs")) options.jobs = options.pipelined ? DefaultRenderJobs() : 1;
  std::vector<int>& frames = options.framesMs;
  std::sort(frames.begin(), frames.end());
  frames.erase(std::unique(frames.begin(), frames.end()), frames.end());
  result.status = CaptureParse::run;
  return result;
}

const char* CaptureUsage() {
  return "usage: vexilograph-capture --at T1,T2,... --out DIR\n"
         "       vexilograph-capture --video FILE.mp4 [--from S] [--to S] [--fps N] [--crf N]\n"
         "                           [--scale 1|2|3] [--smooth] [--preset NAME] [--no-sound] [--jobs N]\n"
         "       vexilograph-capture --png-dir DIR [--from S] [--to S] [--fps N] [--jobs N]\n"
         "       vexilograph-capture --contact-sheet FILE.png --every S [--columns N]\n"
         "       vexilograph-capture --wav FILE.wav [--from S] [--to S] [--fps N]\n"
         "  Renders the show offscreen on the offline clock; run from the folder that holds data/.\n"
         "  Every frame written is the frame of one continuous run from 0 s at the frame rate,\n"
         "  wherever the capture starts.\n"
         "  --at       the frames at demo times T (seconds, e.g. 2,34.5,130) of a continuous 60 fps\n"
         "             run, as DIR/<ms>.png\n"
         "  --video    the frames of a continuous run at --fps (default 60) that fall from --from\n"
         "             (default 0) up to --to (default 282): H.264 (crf default 18, preset default\n"
         "             veryfast) with the music in AAC; --scale enlarges an 800x600 render with\n"
         "             square pixels, or smoothly with --smooth; --no-sound leaves the music out\n"
         "  --png-dir  the same frames as DIR/000000.png, DIR/000001.png, ...\n"
         "  --contact-sheet  a grid of labelled thumbnails, one every S seconds (6 columns)\n"
         "  --wav      the music of those frames as 32-bit float stereo WAV\n"
         "  --size     render natively at WxH (default 800x600): a 4:3 size such as 1600x1200 fills\n"
         "             the frame, another (1920x1080, 3840x2160) centres the picture between black\n"
         "             bars; a size beyond the renderer's limits is refused, naming the limit\n"
         "  --force    replace existing outputs (refused otherwise)\n"
         "  --jobs     video and PNG sequences: render processes, each drawing every Nth span of\n"
         "             frames (default: the cores, up to 4); the frames are those of one run\n"
         "  --no-pipeline  render and encode in turn in this process (for comparison)\n"
         "  Ctrl-C stops early and still finishes the file. Bad options exit with status 2.\n";
}
