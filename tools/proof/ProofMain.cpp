// vexilograph-proof: every frame of a window or time range drawn with the shortcuts and new
// drawing orders and as written, compared byte for byte.
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <string>
#include <vector>

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
  if (parsed.options.side != ProofSide::none) {
    // The frames own the real standard output; anything the show prints goes to stderr.
    const int framesFd = dup(STDOUT_FILENO);
    dup2(STDERR_FILENO, STDOUT_FILENO);
    return RunProofWorker(parsed.options, framesFd);
  }
  char self[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
  if (length <= 0) {
    std::fprintf(stderr, "vexilograph-proof: cannot find its own executable\n");
    return 3;
  }
  self[length] = '\0';
  return RunProof(parsed.options, self);
}
