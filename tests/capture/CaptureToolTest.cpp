// The capture tool as a user runs it: short videos and sequences around scene changes, checked
// with ffprobe and ffmpeg; the contact sheet; refusals; Ctrl-C.
#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "ToolProcess.h"
#include "platform/FileBytes.h"
#include "platform/PngImage.h"

namespace {

int Count(const std::string& text) { return text.empty() ? -1 : std::stoi(text); }

// Seconds of the audio stream: the sum of its packets' durations.
double AudioSeconds(const std::string& file) {
  std::istringstream lines(CommandOutput("ffprobe -v error -select_streams a:0 -show_entries packet=duration_time "
                                         "-of csv=p=0 '" + file + "'"));
  double seconds = 0;
  for (std::string line; std::getline(lines, line);) seconds += line.empty() ? 0 : std::stod(line);
  return seconds;
}

}  // namespace

TEST(CaptureTool, VideoAcrossASceneChangeHasItsFramesRateSizeAndMusic) {
  const std::string dir = ScratchFolder("video");
  const std::vector<std::string> args = {"--from", "60.5", "--to", "63", "--fps", "10"};
  std::string errors;
  std::vector<std::string> first = args, second = args;
  first.insert(first.begin(), {"--video", dir + "/a.mp4"});
  second.insert(second.begin(), {"--video", dir + "/b.mp4"});
  ASSERT_EQ(RunTool(first, errors), 0) << errors;
  EXPECT_NE(errors.find("25 frames"), std::string::npos) << errors;

  const std::string a = dir + "/a.mp4";
  EXPECT_EQ(ProbeStream(a, "v:0", "codec_name"), "h264");
  EXPECT_EQ(ProbeStream(a, "v:0", "pix_fmt"), "yuv420p");
  EXPECT_EQ(ProbeStream(a, "v:0", "width"), "800");
  EXPECT_EQ(ProbeStream(a, "v:0", "height"), "600");
  EXPECT_EQ(ProbeStream(a, "v:0", "r_frame_rate"), "10/1");
  EXPECT_EQ(ProbeStream(a, "v:0", "nb_read_frames"), "25");
  EXPECT_EQ(ProbeStream(a, "a:0", "codec_name"), "aac");
  EXPECT_EQ(ProbeStream(a, "a:0", "sample_rate"), "44100");
  EXPECT_NEAR(AudioSeconds(a), 2.5, 0.1) << "the music of the span, to within a frame";
  EXPECT_EQ(ProbeStream(a, "v:0", "start_time"), "0.000000");
  EXPECT_EQ(ProbeStream(a, "a:0", "start_time"), "0.000000") << "the encoder's priming is trimmed";

  // The same command gives the same pictures and sound.
  ASSERT_EQ(RunTool(second, errors), 0) << errors;
  const std::vector<std::string> pictures = DecodedFrameHashes(a, "v");
  ASSERT_EQ(pictures.size(), 25u);
  EXPECT_EQ(pictures, DecodedFrameHashes(dir + "/b.mp4", "v"));
  EXPECT_EQ(DecodedFrameHashes(a, "a"), DecodedFrameHashes(dir + "/b.mp4", "a"));
  EXPECT_NE(pictures[9], pictures[11]) << "61.5 s changes the scene";
}

TEST(CaptureTool, ScaleEnlargesSharpOrSmooth) {
  const std::string dir = ScratchFolder("scale");
  std::string errors;
  const std::vector<std::string> span = {"--from", "100", "--to", "100.2", "--fps", "10", "--scale", "2"};
  std::vector<std::string> sharp = {"--video", dir + "/sharp.mp4"}, smooth = {"--video", dir + "/smooth.mp4"};
  sharp.insert(sharp.end(), span.begin(), span.end());
  smooth.insert(smooth.end(), span.begin(), span.end());
  smooth.push_back("--smooth");
  ASSERT_EQ(RunTool(sharp, errors), 0) << errors;
  ASSERT_EQ(RunTool(smooth, errors), 0) << errors;
  for (const std::string& file : {dir + "/sharp.mp4", dir + "/smooth.mp4"}) {
    EXPECT_EQ(ProbeStream(file, "v:0", "width"), "1600") << file;
    EXPECT_EQ(ProbeStream(file, "v:0", "height"), "1200") << file;
    EXPECT_EQ(ProbeStream(file, "v:0", "nb_read_frames"), "2") << file;
  }
  EXPECT_NE(DecodedFrameHashes(dir + "/sharp.mp4", "v"), DecodedFrameHashes(dir + "/smooth.mp4", "v"));
}

// At 60 fps the frame before 170.017 s is 17 ms earlier, the band source a single frame uses.
TEST(CaptureTool, SequenceFrameIsTheSingleFrameAtTheSameTime) {
  const std::string sequence = ScratchFolder("sequence"), single = ScratchFolder("single");
  std::string errors;
  ASSERT_EQ(RunTool({"--png-dir", sequence, "--from", "170", "--to", "170.05"}, errors), 0) << errors;
  ASSERT_EQ(RunTool({"--at", "170.017", "--out", single}, errors), 0) << errors;
  int files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(sequence)) ++files;
  EXPECT_EQ(files, 3);
  const PngImage fromSequence = LoadPng(sequence + "/000001.png");
  const PngImage alone = LoadPng(single + "/170017.png");
  EXPECT_EQ(fromSequence.width, 800);
  EXPECT_EQ(fromSequence.height, 600);
  EXPECT_TRUE(fromSequence.pixels == alone.pixels);
  EXPECT_FALSE(LoadPng(sequence + "/000000.png").pixels == alone.pixels);
}

TEST(CaptureTool, ContactSheetIsAGridOfLabelledThumbnails) {
  const std::string dir = ScratchFolder("sheet");
  std::string errors;
  ASSERT_EQ(RunTool({"--contact-sheet", dir + "/sheet.png", "--every", "60", "--columns", "3"}, errors), 0) << errors;
  const PngImage sheet = LoadPng(dir + "/sheet.png");
  // 0, 60, 120, 180, 240 s: three columns, two rows of 160 x 120 with 18-pixel labels and 8-pixel gaps.
  ASSERT_EQ(sheet.width, 3 * 168 + 8);
  ASSERT_EQ(sheet.height, 2 * 146 + 8);
  auto pixel = [&](int x, int y) { return &sheet.pixels[(static_cast<size_t>(y) * sheet.width + x) * 3]; };
  auto lit = [&](int x0, int y0, int w, int h) {
    int count = 0;
    for (int y = y0; y < y0 + h; ++y)
      for (int x = x0; x < x0 + w; ++x) count += pixel(x, y)[0] > 100;
    return count;
  };
  EXPECT_GT(lit(8 + 168, 8, 160, 120), 100) << "the 60 s thumbnail shows the dolphin scene";
  EXPECT_GT(lit(8 + 168, 8 + 120, 160, 18), 10) << "its label";
  EXPECT_EQ(lit(8 + 2 * 168, 8 + 146, 160, 138), 0) << "the sixth cell stays empty";
  EXPECT_EQ(lit(0, 0, sheet.width, 8), 0) << "the top margin";
}

TEST(CaptureTool, BadOptionsGetUsageAndExistingOutputsAreKept) {
  std::string errors;
  EXPECT_EQ(RunTool({"--video", "x.mp4", "--fps", "0"}, errors), 2);
  EXPECT_NE(errors.find("--fps"), std::string::npos) << errors;
  EXPECT_NE(errors.find("usage:"), std::string::npos) << errors;
  EXPECT_EQ(RunTool({"--png-dir", "d", "--crf", "20"}, errors), 2);
  EXPECT_EQ(RunTool({"--video", "x.mp4", "--to", "300"}, errors), 2);

  const std::string dir = ScratchFolder("refuse");
  const std::string file = dir + "/kept.mp4";
  ASSERT_TRUE(WriteFileBytes(file, {'o', 'l', 'd'}));
  const std::vector<std::string> args = {"--video", file, "--from", "60", "--to", "60.2", "--fps", "10"};
  EXPECT_EQ(RunTool(args, errors), 1);
  EXPECT_NE(errors.find("exists"), std::string::npos) << errors;
  EXPECT_EQ(ReadText(file), "old");
  std::vector<std::string> forced = args;
  forced.push_back("--force");
  EXPECT_EQ(RunTool(forced, errors), 0) << errors;
  EXPECT_EQ(ProbeStream(file, "v:0", "nb_read_frames"), "2");

  ASSERT_TRUE(WriteFileBytes(dir + "/000001.png", {'x'}));
  EXPECT_EQ(RunTool({"--png-dir", dir, "--from", "60", "--to", "60.2", "--fps", "10"}, errors), 1);
  EXPECT_NE(errors.find("000001.png"), std::string::npos) << errors;
  EXPECT_FALSE(std::filesystem::exists(dir + "/000000.png")) << "nothing written before the refusal";
}

TEST(CaptureTool, CtrlCFinishesAPlayableFile) {
  const std::string dir = ScratchFolder("interrupt");
  const std::string file = dir + "/part.mp4";
  const pid_t pid = StartTool({"--video", file, "--from", "100", "--fps", "30"}, dir + "/stderr.txt");
  ASSERT_GT(pid, 0);
  // Long enough for start-up and some frames; the whole span would take many minutes.
  std::this_thread::sleep_for(std::chrono::seconds(4));
  kill(pid, SIGINT);
  EXPECT_EQ(WaitTool(pid), 130);
  const std::string errors = ReadText(dir + "/stderr.txt");
  EXPECT_NE(errors.find("interrupted"), std::string::npos) << errors;
  const int frames = Count(ProbeStream(file, "v:0", "nb_read_frames"));
  EXPECT_GT(frames, 0);
  EXPECT_LT(frames, 182 * 30);
  EXPECT_NEAR(AudioSeconds(file), frames / 30.0, 1 / 30.0 + 0.03) << "the music of the frames done";
}
