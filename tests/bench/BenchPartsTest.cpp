// The bench's own parts: its command line, its statistics, its windows and its CSV, which
// other checks read.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "bench/show/BenchOptions.h"
#include "bench/show/BenchReport.h"
#include "bench/show/BenchWindows.h"
#include "bench/show/FrameStats.h"
#include "director/Timeline.h"

namespace {

BenchParseResult Parse(std::vector<std::string> args) { return ParseBenchArguments(args); }

TEST(BenchOptionsTest, AcceptsTheDocumentedForms) {
  BenchParseResult r = Parse({"--frames", "30", "--csv", "out.csv", "--chart", "c.png"});
  ASSERT_EQ(r.status, BenchParse::run) << r.error;
  EXPECT_EQ(r.options.frames, 30);
  EXPECT_EQ(r.options.csvPath, "out.csv");
  EXPECT_EQ(r.options.chartPath, "c.png");
  r = Parse({"--csv=a.csv", "--frames=1"});
  ASSERT_EQ(r.status, BenchParse::run) << r.error;
  EXPECT_EQ(r.options.frames, 1);
  EXPECT_TRUE(r.options.chartPath.empty());
  EXPECT_EQ(Parse({"--help"}).status, BenchParse::help);
  r = Parse({"--frames", "2", "--csv", "a.csv", "--windows", "pillar field,totem"});
  ASSERT_EQ(r.status, BenchParse::run) << r.error;
  EXPECT_EQ(r.options.windows, (std::vector<std::string>{"pillar field", "totem"}));
}

TEST(BenchOptionsTest, RejectsWhatWouldWasteARun) {
  const std::vector<std::vector<std::string>> bad = {
      {},
      {"--frames", "10"},
      {"--csv", "a.csv"},
      {"--frames", "0", "--csv", "a.csv"},
      {"--frames", "-3", "--csv", "a.csv"},
      {"--frames", "12x", "--csv", "a.csv"},
      {"--frames", "100001", "--csv", "a.csv"},
      {"--frames", "5", "--csv"},
      {"--frames", "5", "--csv", ""},
      {"--frames", "5", "--csv", "a.csv", "--chart="},
      {"--frames", "5", "--csv", "a.csv", "--fast"},
      {"--frames", "5", "--csv", "a.csv", "--windows", "totem,"},
      {"--frames", "5", "--csv", "a.csv", "--windows", "Totem"},
  };
  for (const auto& args : bad) {
    const BenchParseResult r = Parse(args);
    EXPECT_EQ(r.status, BenchParse::usageError) << testing::PrintToString(args);
    EXPECT_FALSE(r.error.empty());
  }
}

TEST(FrameStatsTest, MedianAndNearestRankPercentile) {
  std::vector<double> odd = {5, 1, 3};
  EXPECT_EQ(Median(odd), 3);
  std::vector<double> even = {4, 1, 3, 2};
  EXPECT_EQ(Median(even), 2.5);
  std::vector<double> hundred;
  for (int i = 100; i >= 1; --i) hundred.push_back(i);
  EXPECT_EQ(Percentile95(hundred), 95);
  std::vector<double> few = {1, 9, 2};
  EXPECT_EQ(Percentile95(few), 9);  // rank ceil(2.85) = 3
  std::vector<double> none;
  EXPECT_EQ(Median(none), 0);
  EXPECT_EQ(Percentile95(none), 0);
}

// The windows tile the show from 0 to 282 s on the timeline's own bounds, and every sample
// lies strictly inside its window, where the window's scene is drawn.
TEST(BenchWindowsTest, TileTheShowOnTheTimelineBounds) {
  ASSERT_EQ(kBenchWindowCount, 17);
  EXPECT_EQ(kBenchWindows[0].from, 0);
  EXPECT_EQ(kBenchWindows[kBenchWindowCount - 1].to, 282);
  for (int i = 0; i < kBenchWindowCount; ++i) {
    const BenchWindow& w = kBenchWindows[i];
    SCOPED_TRACE(w.name);
    if (i > 0) {
      EXPECT_EQ(w.from, kBenchWindows[i - 1].to);
    }
    bool boundOfTimeline = i == 0;
    for (int k = 0; k < kSceneWindowCount; ++k) boundOfTimeline |= kSceneWindows[k].lower == w.from;
    EXPECT_TRUE(boundOfTimeline);
    std::vector<int> ms;
    for (const int count : {1, 7, 60}) {
      SampleTimesMs(w, count, ms);
      ASSERT_EQ(ms.size(), static_cast<size_t>(count));
      for (size_t j = 0; j < ms.size(); ++j) {
        const float t = DemoTimeFromMs(ms[j]);
        EXPECT_TRUE(w.from < t && t < w.to) << ms[j];
        if (j > 0) {
          EXPECT_GT(ms[j], ms[j - 1]);
        }
      }
    }
  }
}

TEST(BenchReportTest, CsvHasTheAgreedColumnsAndOneRowPerWindow) {
  std::vector<WindowResult> results(2);
  results[0].window = &kBenchWindows[0];
  results[1].window = &kBenchWindows[1];
  results[0].frames = results[1].frames = 4;
  results[0].medianMs = 12.5;
  results[0].floorMs = 10;
  const std::string path = testing::TempDir() + "bench.csv";
  ASSERT_TRUE(WriteWindowCsv(path, results));
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].rfind("window,from_s,to_s,frames,median_ms,p95_ms,", 0), 0u) << lines[0];
  EXPECT_EQ(lines[1].rfind("planet,0.000,61.500,4,12.500,", 0), 0u) << lines[1];
  EXPECT_NE(lines[1].find(",1.250,"), std::string::npos) << "floor ratio: " << lines[1];
  const auto fields = [](const std::string& line) { return std::count(line.begin(), line.end(), ',') + 1; };
  EXPECT_EQ(fields(lines[1]), fields(lines[0]));
  EXPECT_EQ(fields(lines[2]), fields(lines[0]));
  std::remove(path.c_str());
  EXPECT_FALSE(WriteWindowCsv("/nonexistent-folder/bench.csv", results));
}

}  // namespace
