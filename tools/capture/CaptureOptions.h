// The capture tool's command line, parsed without side effects.
//
//   vexilograph-capture --at T1,T2,... --out DIR
//
// T are demo times in seconds (digits with an optional fraction, 0 to 1000000); each frame is
// written as DIR/<ms>.png with ms = round(T x 1000), in ascending order, once per ms.
#pragma once
#include <string>
#include <vector>

struct CaptureOptions {
  std::vector<int> framesMs;  // ascending, no repeats
  std::string outDir;
};

enum class CaptureParse { run, help, usageError };

struct CaptureParseResult {
  CaptureParse status = CaptureParse::usageError;
  CaptureOptions options;
  std::string error;  // for usageError: what was wrong
};

// args without the program name. Accepts "--opt value" and "--opt=value".
CaptureParseResult ParseCaptureArguments(const std::vector<std::string>& args);

// Demo time text to whole milliseconds, rounded half up; false for anything but plain decimals
// in range.
bool ParseDemoTimeMs(const std::string& text, int& ms);

const char* CaptureUsage();
