// The frames a worker hands to the tool: a header, then the frame's RGB bytes, top row first.
#pragma once
#include <cstddef>
#include <cstdint>

#include "tools/capture/WorkerProcess.h"

constexpr int kProofWidth = 800;
constexpr int kProofHeight = 600;
constexpr size_t kProofFrameBytes = static_cast<size_t>(kProofWidth) * kProofHeight * 3;

struct ProofFrameHeader {
  int32_t fps;
  int32_t ms;
};
