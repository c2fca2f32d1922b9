// The capture tool's command line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/capture/CaptureOptions.h"

namespace {

CaptureParseResult Parse(std::vector<std::string> args) { return ParseCaptureArguments(args); }

}  // namespace

TEST(CaptureOptions, TimesBecomeSortedUniqueMilliseconds) {
  const CaptureParseResult r = Parse({"--at", "130,2,34.5,2.0004,0.0005", "--out", "frames"});
  ASSERT_EQ(r.status, CaptureParse::run) << r.error;
  EXPECT_EQ(r.options.framesMs, (std::vector<int>{1, 2000, 34500, 130000}));
  EXPECT_EQ(r.options.outDir, "frames");

  const CaptureParseResult joined = Parse({"--out=x/y", "--at=.5,7.", "--at", "282.0015"});
  ASSERT_EQ(joined.status, CaptureParse::run) << joined.error;
  EXPECT_EQ(joined.options.framesMs, (std::vector<int>{500, 7000, 282002}));
  EXPECT_EQ(joined.options.outDir, "x/y");
}

TEST(ParseDemoTime, ExactDecimalsOnly) {
  int ms = -1;
  EXPECT_TRUE(ParseDemoTimeMs("61.5", ms));
  EXPECT_EQ(ms, 61500);
  EXPECT_TRUE(ParseDemoTimeMs("0.0014999", ms));
  EXPECT_EQ(ms, 1);
  EXPECT_TRUE(ParseDemoTimeMs("1000000", ms));
  EXPECT_EQ(ms, 1000000000);
  for (const char* bad : {"", ".", "-1", "+2", "1e3", "0x10", "nan", "inf", "2,", " 2", "2 ", "1.2.3", "1000000.1",
                          "99999999999999999999"})
    EXPECT_FALSE(ParseDemoTimeMs(bad, ms)) << bad;
}

TEST(CaptureOptions, UsageErrorsSayWhatIsWrong) {
  struct Case {
    std::vector<std::string> args;
    const char* mentions;
  };
  const Case cases[] = {
      {{}, "--at"},
      {{"--at", "2"}, "--out"},
      {{"--out", "d"}, "--at"},
      {{"--at"}, "--at"},
      {{"--at", "2,,3", "--out", "d"}, "''"},
      {{"--at", "-4", "--out", "d"}, "-4"},
      {{"--at", "2", "--out", ""}, "--out"},
      {{"--at", "2", "--out", "d", "--video"}, "--video"},
      {{"--atx=2", "--out", "d"}, "--atx"},
  };
  for (const Case& c : cases) {
    const CaptureParseResult r = Parse(c.args);
    EXPECT_EQ(r.status, CaptureParse::usageError) << c.mentions;
    EXPECT_NE(r.error.find(c.mentions), std::string::npos) << r.error;
  }
  EXPECT_EQ(Parse({"--at", "2", "--help"}).status, CaptureParse::help);
}
