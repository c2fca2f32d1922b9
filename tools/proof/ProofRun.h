// The proof as a whole: the workers started in pairs, their frames compared byte for byte,
// the counts printed and the first differing frames written as difference PNGs.
#pragma once
#include <string>

#include "tools/proof/ProofOptions.h"

// Returns the process status: 0 no frame differs, 1 some differ, 3 a worker failed.
int RunProof(const ProofOptions& options, const std::string& selfPath);
