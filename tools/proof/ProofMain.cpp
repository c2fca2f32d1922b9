// vexilograph-proof: every frame of a window or time range drawn with the shortcuts and new
// drawing orders and as written, compared byte for byte.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/capture/WorkerProcess.h"
#include "tools/proof/ProofRun.h"
#include "tools/proof/ProofWorker.h"

int main(int argc, char** argv) {
  const ProofParseResult parsed = ParseProofArguments(std::vector<std::string>(argv + 1, argv + argc));
  if (parsed.status == ProofParse::help) {
    std::fputs(ProofUsage(), stdout);
    return 0;
  }
  if (parsed.status == ProofParse::usageError) {
    std::fprintf(stderr, "vexilograph-proof: %s\n%s", parsed.error.c_str(), ProofUsage());
    return 2;
  }
  if (parsed.options.side != ProofSide::none) return RunProofWorker(parsed.options, TakeResultsOutput());
  const std::string self = OwnExecutablePath();
  if (self.empty()) {
    std::fprintf(stderr, "vexilograph-proof: cannot find its own executable\n");
    return 3;
  }
  return RunProof(parsed.options, self);
}
