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

TEST(CaptureOptions, SequenceFormsTakeTheirSpanRateAndEncoding) {
  const CaptureParseResult video = Parse({"--video", "show.mp4"});
  ASSERT_EQ(video.status, CaptureParse::run) << video.error;
  EXPECT_EQ(video.options.form, CaptureForm::video);
  EXPECT_EQ(video.options.outFile, "show.mp4");
  EXPECT_EQ(video.options.fromMs, 0);
  EXPECT_EQ(video.options.toMs, 282000);
  EXPECT_EQ(video.options.fps, 60);
  EXPECT_EQ(video.options.crf, 18);
  EXPECT_EQ(video.options.scale, 1);
  EXPECT_FALSE(video.options.smooth);
  EXPECT_TRUE(video.options.pipelined);

  const CaptureParseResult tuned = Parse({"--video=a.mp4", "--from", "61.5", "--to=90", "--fps", "30", "--crf", "23",
                                          "--scale", "3", "--smooth", "--preset", "medium", "--force", "--no-pipeline"});
  ASSERT_EQ(tuned.status, CaptureParse::run) << tuned.error;
  EXPECT_EQ(tuned.options.fromMs, 61500);
  EXPECT_EQ(tuned.options.toMs, 90000);
  EXPECT_EQ(tuned.options.fps, 30);
  EXPECT_EQ(tuned.options.crf, 23);
  EXPECT_EQ(tuned.options.scale, 3);
  EXPECT_TRUE(tuned.options.smooth);
  EXPECT_EQ(tuned.options.preset, "medium");
  EXPECT_TRUE(tuned.options.force);
  EXPECT_FALSE(tuned.options.pipelined);

  const CaptureParseResult frames = Parse({"--png-dir", "out", "--to", "282"});
  ASSERT_EQ(frames.status, CaptureParse::run) << frames.error;
  EXPECT_EQ(frames.options.form, CaptureForm::pngSequence);
  EXPECT_EQ(frames.options.outDir, "out");

  const CaptureParseResult sheet = Parse({"--contact-sheet", "s.png", "--every", "12", "--columns", "4"});
  ASSERT_EQ(sheet.status, CaptureParse::run) << sheet.error;
  EXPECT_EQ(sheet.options.form, CaptureForm::contactSheet);
  EXPECT_EQ(sheet.options.everyMs, 12000);
  EXPECT_EQ(sheet.options.columns, 4);
  EXPECT_EQ(Parse({"--contact-sheet", "s.png", "--every", "0.3"}).status, CaptureParse::run);
}

TEST(CaptureOptions, FormsDoNotMixAndValuesStayInRange) {
  struct Case {
    std::vector<std::string> args;
    const char* mentions;
  };
  const Case cases[] = {
      {{"--video", "a.mp4", "--png-dir", "d"}, "do not go together"},
      {{"--at", "2", "--out", "d", "--fps", "30"}, "--fps"},
      {{"--png-dir", "d", "--scale", "2"}, "--scale"},
      {{"--contact-sheet", "s.png"}, "--every"},
      {{"--contact-sheet", "s.png", "--every", "0"}, "--every"},
      {{"--contact-sheet", "s.png", "--every", "0.28"}, "more than 1000 thumbnails"},
      {{"--contact-sheet", "s.png", "--every", "5", "--from", "3"}, "--from"},
      {{"--video", "a.mp4", "--fps", "0"}, "--fps"},
      {{"--video", "a.mp4", "--fps", "241"}, "--fps"},
      {{"--video", "a.mp4", "--crf", "52"}, "--crf"},
      {{"--video", "a.mp4", "--scale", "4"}, "--scale"},
      {{"--video", "a.mp4", "--scale", "1.5"}, "--scale"},
      {{"--video", "a.mp4", "--preset", "quick"}, "--preset"},
      {{"--video", "a.mp4", "--jobs", "0"}, "--jobs"},
      {{"--png-dir", "d", "--jobs", "2", "--no-pipeline"}, "--jobs"},
      {{"--contact-sheet", "s.png", "--every", "5", "--jobs", "2"}, "--jobs"},
      {{"--video", "a.mp4", "--to", "282.001"}, "--to"},
      {{"--video", "a.mp4", "--from", "90", "--to", "90"}, "--from"},
      {{"--video", "a.mp4", "--fps", "30", "--fps", "60"}, "twice"},
      {{"--video", ""}, "--video"},
      {{"--force"}, "--at"},
      {{"--smooth=1", "--video", "a.mp4"}, "--smooth=1"},
      {{"--video", "a.mp4", "--size", "1600x1200", "--scale", "2"}, "choose one"},
      {{"--video", "a.mp4", "--size", "1600"}, "--size"},
      {{"--video", "a.mp4", "--size", "100x75"}, "--size"},
      {{"--wav", "a.wav", "--size", "1600x1200"}, "--size"},
      {{"--video", "a.mp4", "--from", "1.001", "--to", "1.016"}, "no frame at 60 fps"},
  };
  for (const Case& c : cases) {
    const CaptureParseResult r = Parse(c.args);
    EXPECT_EQ(r.status, CaptureParse::usageError) << c.mentions;
    EXPECT_NE(r.error.find(c.mentions), std::string::npos) << r.error;
  }
}
