// Which frames a proof draws: the frames of a continuous run at 1000 frames per second (every
// music position in ms) and of the capture's 60 fps run, inside the chosen windows or range,
// with the first frame of every window in it, and the share of them one job draws.
#pragma once
#include <string>
#include <vector>

struct ProofSelection {
  std::vector<std::string> windows;  // window names; empty: every window
  int fromMs = 0;                    // inclusive
  int toMs = 282000;                 // inclusive
  int every = 1;                     // every Nth ms (and Nth grid frame), plus the windows' first frames
};

// The frames of one run, in the order that run draws them.
struct ProofPass {
  int fps = 0;
  std::vector<int> framesMs;
  int windowEntries = 0;  // how many of them are the first frame of a window, drawn after the one before
};

// The 1000 fps pass, then the 60 fps one. Unknown window names are left in unknown.
std::vector<ProofPass> SelectProofFrames(const ProofSelection& selection, std::vector<std::string>& unknown);

// The part of frames that job (of jobs) draws: contiguous, in order, the parts about equal.
std::vector<int> JobShare(const std::vector<int>& frames, int job, int jobs);
