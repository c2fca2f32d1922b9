// Frame timing of sequences, the frame pipeline, the contact sheet's layout and output refusal.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "ToolProcess.h"
#include "platform/FileBytes.h"
#include "tools/capture/CaptureFrames.h"
#include "tools/capture/CaptureOutput.h"
#include "tools/capture/CaptureSequence.h"
#include "tools/capture/ContactSheet.h"
#include "tools/capture/FramePipeline.h"

namespace {

CaptureOptions Span(int fromMs, int toMs, int fps) {
  CaptureOptions o;
  o.form = CaptureForm::video;
  o.fromMs = fromMs;
  o.toMs = toMs;
  o.fps = fps;
  return o;
}

}  // namespace

TEST(CaptureSequence, FramesFollowTheRateRoundedToTheMillisecond) {
  const CaptureOptions show = Span(0, 282000, 60);
  EXPECT_EQ(SequenceFrameCount(show), 16920);
  EXPECT_EQ(SequenceFrameMs(show, 0), 0);
  EXPECT_EQ(SequenceFrameMs(show, 1), 17);
  EXPECT_EQ(SequenceFrameMs(show, 2), 33);
  EXPECT_EQ(SequenceFrameMs(show, 3), 50);
  EXPECT_EQ(SequenceFrameMs(show, 16919), 281983);
  EXPECT_EQ(SequenceFrameSample(show, 0), 0);
  EXPECT_EQ(SequenceFrameSample(show, 16920), 282 * 44100) << "the audio ends with the pictures";

  // The frames of the run from 0 s that fall in the span: 7 fps frames 431, 432 and 433.
  const CaptureOptions odd = Span(61500, 62000, 7);
  EXPECT_EQ(SequenceFrameCount(odd), 3);
  EXPECT_EQ(SequenceFrameMs(odd, 0), 61571);
  EXPECT_EQ(SequenceFrameMs(odd, 1), 61714);
  EXPECT_EQ(SequenceFrameSample(odd, 0), 431 * 6300);
  EXPECT_EQ(SequenceFrameSample(odd, 3), 434 * 6300);
  EXPECT_EQ(SequenceFrameCount(Span(1000, 1001, 60)), 1);
  EXPECT_EQ(SequenceFrameCount(Span(1001, 1016, 60)), 0) << "between frames 60 and 61";
  EXPECT_EQ(PreviousFrameMs(0, 60), -1);
  EXPECT_EQ(PreviousFrameMs(17, 60), 0);
  EXPECT_EQ(PreviousFrameMs(18, 60), 17);

  EXPECT_EQ(BandSourceMs(2000, 60), 1983);
  EXPECT_EQ(BandSourceMs(2000, 30), 1967);
  EXPECT_EQ(BandSourceMs(2000, 7), 1857);
}

TEST(FramePipeline, DeliversEveryFrameInOrderThroughFewBuffers) {
  for (const bool overlapped : {true, false}) {
    std::vector<int64_t> seen;
    std::set<const uint8_t*> buffers;
    PipelineTimes times;
    const bool ok = RunFramePipeline(
        3, 16, overlapped,
        [](PipelineFrame& f) {
          if (f.index == 50) return false;
          f.ms = static_cast<int>(f.index) * 10;
          f.rgb[0] = static_cast<uint8_t>(f.index);
          return true;
        },
        [&](PipelineFrame& f) {
          EXPECT_EQ(f.rgb.size(), 16u);
          EXPECT_EQ(f.rgb[0], static_cast<uint8_t>(f.index));
          EXPECT_EQ(f.ms, f.index * 10);
          seen.push_back(f.index);
          buffers.insert(f.rgb.data());
          return true;
        },
        times);
    EXPECT_TRUE(ok);
    ASSERT_EQ(seen.size(), 50u);
    for (size_t i = 0; i < seen.size(); ++i) EXPECT_EQ(seen[i], static_cast<int64_t>(i));
    EXPECT_EQ(times.frames, 50);
    EXPECT_LE(buffers.size(), overlapped ? 3u : 1u);
  }
}

TEST(FramePipeline, AConsumerFailureStopsTheProducer) {
  for (const bool overlapped : {true, false}) {
    int produced = 0;
    PipelineTimes times;
    const bool ok = RunFramePipeline(
        2, 4, overlapped,
        [&](PipelineFrame&) {
          ++produced;
          return produced < 1000;
        },
        [](PipelineFrame& f) { return f.index < 5; }, times);
    EXPECT_FALSE(ok);
    EXPECT_EQ(times.frames, 5);
    EXPECT_LT(produced, 20) << "the producer stops soon after";
  }
}

TEST(ContactSheet, GridAndLabels) {
  const std::vector<int> times = ContactSheetTimesMs(12000);
  ASSERT_EQ(times.size(), 24u);
  EXPECT_EQ(times.back(), 276000);
  EXPECT_EQ(ContactSheetTimesMs(141000).back(), 282000) << "the last frame counts";

  const SheetLayout sheet = LayoutContactSheet(24, 6);
  EXPECT_EQ(sheet.rows, 4);
  EXPECT_EQ(sheet.width, 6 * 160 + 7 * 8);
  EXPECT_EQ(sheet.height, 4 * (120 + 18) + 5 * 8);
  int x = 0, y = 0;
  ThumbnailOrigin(sheet, 7, x, y);
  EXPECT_EQ(x, 8 + 168);
  EXPECT_EQ(y, 8 + 146);
  const SheetLayout few = LayoutContactSheet(2, 6);
  EXPECT_EQ(few.columns, 2) << "no empty columns";
  EXPECT_EQ(few.rows, 1);

  EXPECT_EQ(SheetTimeLabel(0), "0:00");
  EXPECT_EQ(SheetTimeLabel(108000), "1:48");
  EXPECT_EQ(SheetTimeLabel(161500), "2:41.5");
  EXPECT_EQ(SheetTimeLabel(61025), "1:01.025");
}

TEST(CaptureOutput, ExistingOutputsAreRefusedUnlessForcedAndFoldersMade) {
  const std::string dir = ScratchFolder("outputs");
  CaptureOptions frames;
  frames.framesMs = {2000, 34500};
  frames.outDir = dir + "/new/frames";
  std::string error;
  EXPECT_TRUE(PrepareOutputs(frames, error)) << error;
  EXPECT_TRUE(std::filesystem::is_directory(frames.outDir));
  EXPECT_EQ(FramePngPath(frames.outDir, 34500), frames.outDir + "/34500.png");
  ASSERT_TRUE(WriteFileBytes(frames.outDir + "/34500.png", {1}));
  EXPECT_FALSE(PrepareOutputs(frames, error));
  EXPECT_NE(error.find("34500.png"), std::string::npos) << error;
  frames.force = true;
  EXPECT_TRUE(PrepareOutputs(frames, error)) << error;

  CaptureOptions video = Span(0, 1000, 60);
  video.outFile = dir + "/deeper/show.mp4";
  EXPECT_TRUE(PrepareOutputs(video, error)) << error;
  EXPECT_TRUE(std::filesystem::is_directory(dir + "/deeper"));
  video.outFile = dir;
  video.force = true;
  EXPECT_FALSE(PrepareOutputs(video, error)) << "a folder is never replaced";
  EXPECT_EQ(SequencePngPath("d", 42), "d/000042.png");
}
