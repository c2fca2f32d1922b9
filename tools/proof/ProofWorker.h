// One side of the proof: a share of every pass drawn as one continuous run each, in one mode.
#pragma once
#include "tools/proof/ProofOptions.h"

// Draws job's share of each pass with the options' side and writes every frame to outFd (the
// process's real standard output; the show's own prints go to stderr). Returns the status.
int RunProofWorker(const ProofOptions& options, int outFd);
