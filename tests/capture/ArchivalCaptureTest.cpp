// Captures an archivist relies on: mid-way starts give the continuous run's frames, native
// sizes scale the whole picture, and a capture cut into parts joins into the serial one.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "ToolProcess.h"
#include "platform/FileBytes.h"
#include "platform/PngImage.h"

namespace {

std::string Frame(const std::string& dir, int index) {
  char name[16];
  std::snprintf(name, sizeof name, "/%06d.png", index);
  return dir + name;
}

// PSNR of the large image shrunk by averaging 2 x 2 blocks against the small one.
double HalvedPsnr(const PngImage& large, const PngImage& small) {
  double squares = 0;
  for (int y = 0; y < small.height; ++y)
    for (int x = 0; x < small.width; ++x)
      for (int c = 0; c < 3; ++c) {
        auto at = [&](int xx, int yy) { return large.pixels[(static_cast<size_t>(yy) * large.width + xx) * 3 + c]; };
        const double mean =
            (at(2 * x, 2 * y) + at(2 * x + 1, 2 * y) + at(2 * x, 2 * y + 1) + at(2 * x + 1, 2 * y + 1)) / 4.0;
        const double d = mean - small.pixels[(static_cast<size_t>(y) * small.width + x) * 3 + c];
        squares += d * d;
      }
  const double mse = squares / (3.0 * small.width * small.height);
  return 10 * std::log10(255.0 * 255.0 / std::max(mse, 1e-9));
}

}  // namespace

// The tunnel sways its points once per drawn frame and the pillar field draws its edges with
// the line width its own previous frame left: a start inside either window must replay both.
TEST(ArchivalCapture, MidWayStartsWriteTheContinuousRunsFrames) {
  struct Case {
    const char* from;
    const char* midway;
    const char* to;
    int skipped;  // frames of the continuous run before the mid-way start
  };
  for (const Case& c : {Case{"188.6", "189.6", "190.6", 10}, Case{"85.6", "86.6", "87.6", 10}}) {
    const std::string whole = ScratchFolder("whole"), part = ScratchFolder("part");
    std::string errors;
    ASSERT_EQ(RunTool({"--png-dir", whole, "--from", c.from, "--to", c.to, "--fps", "10"}, errors), 0) << errors;
    ASSERT_EQ(RunTool({"--png-dir", part, "--from", c.midway, "--to", c.to, "--fps", "10"}, errors), 0) << errors;
    for (const int k : {0, 9})
      EXPECT_TRUE(LoadPng(Frame(part, k)).pixels == LoadPng(Frame(whole, c.skipped + k)).pixels)
          << "frame " << k << " of the start at " << c.midway;
  }
}

// Three render processes over 5 s at 60 fps take spans of 62 frames in turn, so each one skips
// the others' spans and one enters the pillar field mid-span: the file must be the one a single
// run writes, byte for byte, music included.
TEST(ArchivalCapture, RenderProcessesWriteTheVideoOfOneRun) {
  const std::string dir = ScratchFolder("jobs");
  std::string errors;
  const std::vector<std::string> span = {"--from", "84", "--to", "89", "--force"};
  std::vector<std::string> single = {"--video", dir + "/single.mp4", "--jobs", "1"};
  std::vector<std::string> three = {"--video", dir + "/three.mp4", "--jobs", "3"};
  single.insert(single.end(), span.begin(), span.end());
  three.insert(three.end(), span.begin(), span.end());
  ASSERT_EQ(RunTool(single, errors), 0) << errors;
  ASSERT_EQ(RunTool(three, errors), 0) << errors;
  EXPECT_NE(errors.find("3 render processes"), std::string::npos) << errors;
  std::vector<uint8_t> a, b;
  ASSERT_TRUE(ReadFileBytes(dir + "/single.mp4", a));
  ASSERT_TRUE(ReadFileBytes(dir + "/three.mp4", b));
  EXPECT_EQ(a.size(), b.size());
  EXPECT_TRUE(a == b);
}

TEST(ArchivalCapture, NativeSizesScaleThePictureAndCentreOtherAspects) {
  const std::string small = ScratchFolder("small"), large = ScratchFolder("large"), wide = ScratchFolder("wide"),
                    narrow = ScratchFolder("narrow");
  std::string errors;
  const std::string times = "100,160,195";
  ASSERT_EQ(RunTool({"--at", times, "--out", small}, errors), 0) << errors;
  ASSERT_EQ(RunTool({"--at", times, "--out", large, "--size", "1600x1200"}, errors), 0) << errors;
  ASSERT_EQ(RunTool({"--at", "195", "--out", wide, "--size", "1920x1080"}, errors), 0) << errors;
  ASSERT_EQ(RunTool({"--at", "195", "--out", narrow, "--size", "1440x1080"}, errors), 0) << errors;
  for (const char* ms : {"100000", "160000", "195000"}) {
    const PngImage big = LoadPng(large + "/" + ms + ".png");
    ASSERT_EQ(big.width, 1600);
    ASSERT_EQ(big.height, 1200);
    // Overlays, text, glow, scanlines and line widths all follow the picture, so the large
    // frame shrunk looks like the small one; one left at 800 x 600 pixels costs many dB.
    EXPECT_GT(HalvedPsnr(big, LoadPng(small + "/" + ms + ".png")), 22) << ms;
  }
  const PngImage bars = LoadPng(wide + "/195000.png"), picture = LoadPng(narrow + "/195000.png");
  ASSERT_EQ(bars.width, 1920);
  ASSERT_EQ(picture.width, 1440);
  bool same = true, black = true;
  for (int y = 0; y < 1080; ++y)
    for (int x = 0; x < 1920; ++x)
      for (int c = 0; c < 3; ++c) {
        const uint8_t v = bars.pixels[(static_cast<size_t>(y) * 1920 + x) * 3 + c];
        if (x < 240 || x >= 1680) black = black && v == 0;
        else same = same && v == picture.pixels[(static_cast<size_t>(y) * 1440 + x - 240) * 3 + c];
      }
  EXPECT_TRUE(black) << "black bars left and right";
  EXPECT_TRUE(same) << "the 4:3 picture in the middle, unstretched";

  EXPECT_EQ(RunTool({"--at", "1", "--out", small, "--size", "16000x12000"}, errors), 2);
  EXPECT_NE(errors.find("limit of"), std::string::npos) << errors;
  EXPECT_EQ(RunTool({"--at", "1", "--out", small, "--size", "1601x1200"}, errors), 2) << "odd sizes do not encode";
}

TEST(ArchivalCapture, PartsCapturedInParallelJoinIntoTheSerialCapture) {
  const std::string dir = ScratchFolder("parallel");
  const std::vector<std::string> range = {"--from", "208", "--to", "212", "--fps", "10", "--crf", "0"};
  std::string errors;
  std::vector<std::string> serial = {"--video", dir + "/serial.mp4"};
  serial.insert(serial.end(), range.begin(), range.end());
  ASSERT_EQ(RunTool(serial, errors), 0) << errors;
  std::string command = "./capture-parallel --video " + dir + "/parallel.mp4 --jobs 2 --span 2";
  for (const std::string& arg : range) command += " " + arg;
  ASSERT_EQ(std::system((command + " 2>" + dir + "/log.txt").c_str()), 0) << ReadText(dir + "/log.txt");

  const std::vector<std::string> frames = DecodedFrameHashes(dir + "/serial.mp4", "v");
  ASSERT_EQ(frames.size(), 40u);
  EXPECT_EQ(DecodedFrameHashes(dir + "/parallel.mp4", "v"), frames) << "lossless parts join frame for frame";
  EXPECT_EQ(ProbeStream(dir + "/parallel.mp4", "a:0", "codec_name"), "aac");
  const double sound = std::stod(ProbeStream(dir + "/parallel.mp4", "a:0", "duration"));
  EXPECT_NEAR(sound, 4.0, 0.05) << "one sound track under the whole range";
}
