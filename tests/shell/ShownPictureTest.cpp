// The show in a window that is not 800 x 600: through the offscreen target into the centred 4:3
// rectangle, filtered, with black bars, every frame as the show draws it straight to the window.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "director/OfflinePlayback.h"
#include "platform/Gl.h"
#include "platform/HeadlessGl.h"
#include "render/PictureFit.h"
#include "render/RenderSizeRule.h"
#include "shell/DialogFocus.h"
#include "shell/ShownPicture.h"

namespace {

constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;

uint8_t Channel(const std::vector<uint8_t>& rgb, int width, int x, int y, int c) {
  return rgb[(static_cast<size_t>(y) * width + x) * 3 + c];
}

// What a linear blit of the 800 x 600 frame into the rectangle gives (texel centres, clamped).
float Resampled(const std::vector<uint8_t>& frame, const PictureRect& shown, int x, int y, int c) {
  const float u = std::clamp((x - shown.x + 0.5f) * 800.0f / shown.width - 0.5f, 0.0f, 799.0f);
  const float v = std::clamp((y - shown.y + 0.5f) * 600.0f / shown.height - 0.5f, 0.0f, 599.0f);
  const int u0 = static_cast<int>(u), v0 = static_cast<int>(v);
  const int u1 = std::min(u0 + 1, 799), v1 = std::min(v0 + 1, 599);
  const float fu = u - u0, fv = v - v0;
  const auto at = [&](int px, int py) { return static_cast<float>(Channel(frame, 800, px, py, c)); };
  return (at(u0, v0) * (1 - fu) + at(u1, v0) * fu) * (1 - fv) + (at(u0, v1) * (1 - fu) + at(u1, v1) * fu) * fv;
}

}  // namespace

TEST(ShownPicture, AWideScreenShowsEveryFrameScaledIntoTheCentredRectangleWithBlackBars) {
  HeadlessGl gl;
  std::string error;
  ASSERT_TRUE(CreateHeadlessGl(kScreenWidth, kScreenHeight, gl, error)) << error;
  StartOfflineShow(800, 600);
  // Across the step from the dolphin to the pillar field: captions, glow, fog and the scissor
  // that keeps the scene off the bars all change here. The second run steps back to replay the
  // same frames, so it also proves that a replay starts from start-up's GL state.
  constexpr int kFirstMs = 85300, kFrames = 24, kFps = 60;
  const int64_t first = FirstRateFrameFrom(kFirstMs, kFps);
  std::vector<std::vector<uint8_t>> direct(kFrames);
  for (int i = 0; i < kFrames; ++i) {
    ASSERT_TRUE(DrawOfflineFrame(RateFrameMs(first + i, kFps), kFps));
    ReadFrameRgb(800, 600, direct[i]);
  }

  ChooseShownPictureSize(kScreenWidth, kScreenHeight);
  const PictureRect shown = FitPicture(kScreenWidth, kScreenHeight);
  ASSERT_EQ(shown.x, 240);
  ASSERT_EQ(shown.width, 1440);
  std::vector<uint8_t> screen;
  for (int i = 0; i < kFrames; ++i) {
    BeginShownFrame();
    ASSERT_TRUE(DrawOfflineFrame(RateFrameMs(first + i, kFps), kFps));
    EndShownFrame();
    ReadFrameRgb(kScreenWidth, kScreenHeight, screen);
    int barLit = 0;
    double difference = 0;
    for (int y = 0; y < kScreenHeight; ++y) {
      for (int x = 0; x < kScreenWidth; ++x) {
        for (int c = 0; c < 3; ++c) {
          const int got = Channel(screen, kScreenWidth, x, y, c);
          if (x < shown.x || x >= shown.x + shown.width) {
            barLit += got != 0;
          } else {
            const int wanted = static_cast<int>(std::lround(Resampled(direct[i], shown, x, y, c)));
            difference += std::abs(got - wanted);
          }
        }
      }
    }
    EXPECT_EQ(barLit, 0) << "frame " << i;
    // The renderer's filter rounds a few edge pixels its own way; a picture one pixel off, or a
    // frame that saw other GL state than the direct one, is off by 2 or more on average.
    EXPECT_LE(difference / (3.0 * shown.width * shown.height), 0.25) << "frame " << i << " at "
                                                                      << RateFrameMs(first + i, kFps) << " ms";
  }
  DestroyHeadlessGl(gl);
}

TEST(DialogFocus, TabAndSpaceReachEveryControlInTemplateOrder) {
  DialogKeys tab;
  tab.tab = true;
  DialogKeys backTab;
  backTab.backTab = true;
  DialogKeys space;
  space.space = true;
  DialogKeys enter;
  enter.enter = true;

  EXPECT_EQ(ApplyDialogKeys(DialogFocus::none, tab).focus, DialogFocus::ok);
  EXPECT_EQ(ApplyDialogKeys(DialogFocus::ok, tab).focus, DialogFocus::fullScreen);
  EXPECT_EQ(ApplyDialogKeys(DialogFocus::fullScreen, tab).focus, DialogFocus::exit);
  EXPECT_EQ(ApplyDialogKeys(DialogFocus::exit, tab).focus, DialogFocus::ok);
  EXPECT_EQ(ApplyDialogKeys(DialogFocus::none, backTab).focus, DialogFocus::exit);
  EXPECT_EQ(ApplyDialogKeys(DialogFocus::ok, backTab).focus, DialogFocus::exit);

  EXPECT_EQ(ApplyDialogKeys(DialogFocus::none, space).command, DialogCommand::none);
  EXPECT_EQ(ApplyDialogKeys(DialogFocus::ok, space).command, DialogCommand::accept);
  EXPECT_EQ(ApplyDialogKeys(DialogFocus::fullScreen, space).command, DialogCommand::toggleFullScreen);
  EXPECT_EQ(ApplyDialogKeys(DialogFocus::exit, space).command, DialogCommand::exit);
  // Enter presses the focused push button, and OK when the focus is anywhere else.
  EXPECT_EQ(ApplyDialogKeys(DialogFocus::none, enter).command, DialogCommand::accept);
  EXPECT_EQ(ApplyDialogKeys(DialogFocus::fullScreen, enter).command, DialogCommand::accept);
  EXPECT_EQ(ApplyDialogKeys(DialogFocus::exit, enter).command, DialogCommand::exit);
}

TEST(ShownPicture, TheRectangleIsTheLargestCentred4By3AndSoftwareRenderersDrawTheShowsOwnSize) {
  const PictureRect tall = FitPicture(1000, 1000);
  EXPECT_EQ(tall.x, 0);
  EXPECT_EQ(tall.y, 125);
  EXPECT_EQ(tall.width, 1000);
  EXPECT_EQ(tall.height, 750);
  const PictureRect resized = FitPicture(1600, 1000);
  EXPECT_EQ(resized.width, 1332);
  EXPECT_EQ(resized.height, 999);
  EXPECT_EQ(resized.x, 134);
  EXPECT_EQ(FitPicture(800, 600).x, 0);
  EXPECT_EQ(FitPicture(0, 600).width, 0);

  const PictureRect hidpi = FitPicture(3840, 2160);
  EXPECT_EQ(RenderSizeFor(ChooseRenderSizeRule("llvmpipe (LLVM 15.0.6, 256 bits)"), hidpi, 16384).width, 800);
  const char* pageSoftware = "ANGLE (Google, Vulkan 1.3.0 (SwiftShader Device (Subzero) (0x0000C0DE)), SwiftShader driver)";
  EXPECT_EQ(ChooseRenderSizeRule(pageSoftware), RenderSizeRule::showSize);
  const RenderSize sharp = RenderSizeFor(ChooseRenderSizeRule("AMD Radeon RX 6600 (radeonsi)"), hidpi, 16384);
  EXPECT_EQ(sharp.width, 2880);
  EXPECT_EQ(sharp.height, 2160);
  EXPECT_EQ(RenderSizeFor(RenderSizeRule::shownSize, hidpi, 2048).width, 2048);
}
