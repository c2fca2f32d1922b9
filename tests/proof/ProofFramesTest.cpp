// The proof's frame lists: the ms and grid frames it draws, the windows' first frames among
// them, and the jobs' parts covering each pass exactly once.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "director/OfflinePlayback.h"
#include "director/TimeWindow.h"
#include "director/Timeline.h"
#include "tools/proof/ProofFrames.h"

namespace {

bool InWindow(const SceneWindow& window, int ms) { return Inside(window.lower, DemoTimeFromMs(ms), window.upper); }

TEST(ProofFramesTest, AWindowIsEveryMsInsideItAndItsGridFrames) {
  ProofSelection selection;
  selection.windows = {"pillar field"};
  std::vector<std::string> unknown;
  const std::vector<ProofPass> passes = SelectProofFrames(selection, unknown);
  ASSERT_TRUE(unknown.empty());
  ASSERT_EQ(passes.size(), 2u);
  const SceneWindow& field = FindSceneWindow(SceneId::pillarField);
  const std::vector<int>& everyMs = passes[0].framesMs;
  ASSERT_FALSE(everyMs.empty());
  EXPECT_TRUE(InWindow(field, everyMs.front()) && !InWindow(field, everyMs.front() - 1));
  EXPECT_TRUE(InWindow(field, everyMs.back()) && !InWindow(field, everyMs.back() + 1));
  EXPECT_EQ(everyMs.back() - everyMs.front() + 1, static_cast<int>(everyMs.size()));
  EXPECT_EQ(passes[0].windowEntries, 1);
  EXPECT_EQ(passes[1].fps, 60);
  EXPECT_EQ(passes[1].framesMs.front(), RateFrameMs(FirstRateFrameFrom(everyMs.front(), 60), 60));
  EXPECT_EQ(passes[1].framesMs.size(), 420u);
}

TEST(ProofFramesTest, ASampleKeepsEveryWindowsFirstFrameAndSplitsIntoWholeParts) {
  ProofSelection selection;
  selection.every = 211;
  std::vector<std::string> unknown;
  const std::vector<ProofPass> passes = SelectProofFrames(selection, unknown);
  const std::vector<int>& frames = passes[0].framesMs;
  for (int i = 0; i < kSceneWindowCount; ++i) {
    int first = 0;
    while (!InWindow(kSceneWindows[i], first)) ++first;
    EXPECT_NE(std::find(frames.begin(), frames.end(), first), frames.end()) << kSceneWindows[i].name;
  }
  const auto sampled = std::count_if(frames.begin(), frames.end(), [](int ms) { return ms % 211 == 0; });
  EXPECT_EQ(sampled, 282000 / 211 + 1);
  EXPECT_EQ(static_cast<int>(frames.size()) - sampled, passes[0].windowEntries - 1);  // 0 ms is both
  EXPECT_TRUE(std::is_sorted(frames.begin(), frames.end()));

  std::vector<int> joined;
  for (int job = 0; job < 3; ++job) {
    const std::vector<int> part = JobShare(frames, job, 3);
    joined.insert(joined.end(), part.begin(), part.end());
  }
  EXPECT_EQ(joined, frames);

  selection.windows = {"no such window"};
  SelectProofFrames(selection, unknown);
  EXPECT_EQ(unknown, std::vector<std::string>{"no such window"});
}

}  // namespace
