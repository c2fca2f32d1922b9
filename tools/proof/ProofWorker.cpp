// The proof's worker: the show started offscreen, the playback switched to one mode for every
// frame it draws, seen or unseen, and the share's frames streamed out in run order.
#include "tools/proof/ProofWorker.h"

#include <cstdio>
#include <string>
#include <vector>

#include "director/OfflinePlayback.h"
#include "platform/Gl.h"
#include "platform/HeadlessGl.h"
#include "tools/proof/ProofStream.h"

int RunProofWorker(const ProofOptions& options, int outFd) {
  std::vector<std::string> unknown;
  const std::vector<ProofPass> passes = SelectProofFrames(options.selection, unknown);
  HeadlessGl gl;
  std::string error;
  if (!CreateHeadlessGl(kProofWidth, kProofHeight, gl, error)) {
    std::fprintf(stderr, "vexilograph-proof: %s\n", error.c_str());
    return 3;
  }
  StartOfflineShow(kProofWidth, kProofHeight);
  SetOfflinePassMode(options.side == ProofSide::asWritten ? PassMode::plain : PassMode::shortcuts);
  std::vector<uint8_t> rgb(kProofFrameBytes);
  for (const ProofPass& pass : passes)
    for (const int ms : JobShare(pass.framesMs, options.job, options.jobs)) {
      if (!DrawOfflineFrame(ms, pass.fps)) break;
      glFinish();
      ReadFrameRgb(kProofWidth, kProofHeight, rgb);
      const ProofFrameHeader header = {pass.fps, ms};
      if (!WriteAll(outFd, &header, sizeof header) || !WriteAll(outFd, rgb.data(), rgb.size())) return 3;
    }
  return 0;
}
