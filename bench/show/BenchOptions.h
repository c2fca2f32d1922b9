// Command line of vexilograph-bench: --frames N --csv FILE [--chart FILE.png] [--windows A,B].
#pragma once
#include <string>
#include <vector>

struct BenchOptions {
  int frames = 0;  // measured frames per window
  std::string csvPath;
  std::string chartPath;  // empty: no chart
  std::vector<std::string> windows;  // names of the windows to measure; empty: all of them
};

enum class BenchParse { run, help, usageError };

struct BenchParseResult {
  BenchParse status = BenchParse::usageError;
  BenchOptions options;
  std::string error;
};

BenchParseResult ParseBenchArguments(const std::vector<std::string>& args);
const char* BenchUsage();
