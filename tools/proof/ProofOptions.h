// The proof tool's command line.
#pragma once
#include <string>
#include <vector>

#include "tools/proof/ProofFrames.h"

// Which way a worker draws its frames.
enum class ProofSide { none, asWritten, newOrder };

struct ProofOptions {
  ProofSelection selection;
  int jobs = 1;                          // pairs of workers, each pair one part of every pass
  int report = 5;                        // differing frames reported, each with a difference PNG
  std::string diffDir = "proof-diffs";   // created only when a frame differs
  // A worker's own options (set by the tool for the processes it starts).
  ProofSide side = ProofSide::none;
  int job = 0;
};

enum class ProofParse { run, help, usageError };
struct ProofParseResult {
  ProofParse status = ProofParse::run;
  ProofOptions options;
  std::string error;
};

ProofParseResult ParseProofArguments(const std::vector<std::string>& args);
// The arguments that make a worker draw job's part of the same frames on side.
std::vector<std::string> WorkerArguments(const ProofOptions& options, ProofSide side, int job);

const char* ProofUsage();
