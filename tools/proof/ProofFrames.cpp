// The proof's frame lists: positions inside the chosen windows, thinned, with every window's
// first frame kept so that each entry from the window before is drawn.
#include "tools/proof/ProofFrames.h"

#include <algorithm>

#include "director/OfflinePlayback.h"
#include "director/TimeWindow.h"
#include "director/Timeline.h"

namespace {

std::vector<const SceneWindow*> ChosenWindows(const ProofSelection& selection, std::vector<std::string>& unknown) {
  std::vector<const SceneWindow*> chosen;
  for (int i = 0; i < kSceneWindowCount; ++i)
    if (selection.windows.empty()) chosen.push_back(&kSceneWindows[i]);
  for (const std::string& name : selection.windows) {
    bool found = false;
    for (int i = 0; i < kSceneWindowCount; ++i)
      if (name == kSceneWindows[i].name) {
        chosen.push_back(&kSceneWindows[i]);
        found = true;
      }
    if (!found) unknown.push_back(name);
  }
  return chosen;
}

bool InsideAny(const std::vector<const SceneWindow*>& windows, int ms) {
  const float t = DemoTimeFromMs(ms);
  for (const SceneWindow* window : windows)
    if (Inside(window->lower, t, window->upper)) return true;
  return false;
}

// Whether frame k of the run at fps is the first one inside a chosen window.
bool EntersWindow(const std::vector<const SceneWindow*>& windows, int64_t k, int fps) {
  const float t = DemoTimeFromMs(RateFrameMs(k, fps));
  const float before = k > 0 ? DemoTimeFromMs(RateFrameMs(k - 1, fps)) : -1;
  for (const SceneWindow* window : windows)
    if (Inside(window->lower, t, window->upper) && !(k > 0 && Inside(window->lower, before, window->upper)))
      return true;
  return false;
}

// The pass at fps: frame k of the run is kept when it lies in the selection and k is a multiple
// of every (at 1000 fps, k is the ms), or when it is the first frame of a chosen window.
ProofPass SelectPass(const ProofSelection& selection, const std::vector<const SceneWindow*>& windows, int fps) {
  ProofPass pass;
  pass.fps = fps;
  const int lastMs = std::min(selection.toMs, kShowEndMs);
  for (int64_t k = FirstRateFrameFrom(selection.fromMs, fps); RateFrameMs(k, fps) <= lastMs; ++k) {
    const int ms = RateFrameMs(k, fps);
    if (!InsideAny(windows, ms)) continue;
    const bool entry = EntersWindow(windows, k, fps);
    if (entry) ++pass.windowEntries;
    if (entry || k % selection.every == 0) pass.framesMs.push_back(ms);
  }
  return pass;
}

}  // namespace

std::vector<ProofPass> SelectProofFrames(const ProofSelection& selection, std::vector<std::string>& unknown) {
  const std::vector<const SceneWindow*> windows = ChosenWindows(selection, unknown);
  return {SelectPass(selection, windows, 1000), SelectPass(selection, windows, 60)};
}

std::vector<int> JobShare(const std::vector<int>& frames, int job, int jobs) {
  const size_t n = frames.size();
  const size_t begin = n * static_cast<size_t>(job) / static_cast<size_t>(jobs);
  const size_t end = n * static_cast<size_t>(job + 1) / static_cast<size_t>(jobs);
  return std::vector<int>(frames.begin() + static_cast<std::ptrdiff_t>(begin), frames.begin() + static_cast<std::ptrdiff_t>(end));
}
