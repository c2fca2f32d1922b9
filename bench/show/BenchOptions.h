// Command line of vexilograph-bench: --frames N --csv FILE [--chart FILE.png].
#pragma once
#include <string>
#include <vector>

struct BenchOptions {
  int frames = 0;  // measured frames per window
  std::string csvPath;
  std::string chartPath;  // empty: no chart
};

enum class BenchParse { run, help, usageError };

struct BenchParseResult {
  BenchParse status = BenchParse::usageError;
  BenchOptions options;
  std::string error;
};

BenchParseResult ParseBenchArguments(const std::vector<std::string>& args);
const char* BenchUsage();
