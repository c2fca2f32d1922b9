// Overlays: pixels in the overlay space and the GL state each one leaves for the next layer.
#include <functional>

#include "RenderProbe.h"
#include "director/DemoState.h"
#include "render/Overlays.h"
#include "render/PassMode.h"
#include "support/GlTest.h"

namespace {
class OverlayTest : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    ResetSceneState();
    for (float& band : SpectrumBands) band = 0;
  }
  static int Red(int x, int y) {
    uint8_t rgb[3];
    PixelAt(x, y, rgb);
    return rgb[0];
  }
};

struct LeftState {
  const char* name;
  std::function<void()> draw;
  GLfloat colour[4];
  GLboolean blend;
  GLint blendSrc, blendDst;  // 0: whatever it was before
};

TEST_F(OverlayTest, EachOverlayLeavesItsDocumentedStateAndTheMatrixStacks) {
  const LeftState cases[] = {
      {"letterbox", DrawLetterbox, {1, 1, 1, 1}, GL_TRUE, GL_CONSTANT_COLOR, GL_ZERO},
      {"caption band", DrawCaptionBand, {1, 1, 1, 1}, GL_FALSE, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA},
      {"white fade", [] { DrawWhiteFade(0.3f); }, {1, 1, 1, 1}, GL_FALSE, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA},
      {"black fade", [] { DrawBlackFade(0.3f); }, {1, 1, 1, 1}, GL_FALSE, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA},
      {"invert", [] { DrawInvertFade(0.3f); }, {1, 1, 1, 1}, GL_FALSE, GL_ONE_MINUS_DST_COLOR,
       GL_ONE_MINUS_SRC_COLOR},
      {"flash", [] { DrawExplosionFlash(0.25f); }, {1, 1, 1, 0.25f}, GL_FALSE, GL_SRC_ALPHA, GL_ONE},
      {"bars", DrawSpectrumBars, {1, 1, 1, 0.1f}, GL_FALSE, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA},
      {"lines", DrawSpectrumLines, {1, 0, 0, 1}, GL_TRUE, GL_CONSTANT_COLOR, GL_ZERO},
      {"scanlines", [] { DrawScanlines(); }, {1, 1, 1, 0.12f}, GL_FALSE, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA},
      // With nothing to add the quad is skipped; the state left must not tell.
      {"white fade, clear", [] { DrawWhiteFade(-1); }, {1, 1, 1, 1}, GL_FALSE, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA},
      {"black fade, clear", [] { DrawBlackFade(2); }, {1, 1, 1, 1}, GL_FALSE, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA},
      {"invert, none", [] { DrawInvertFade(0); }, {1, 1, 1, 1}, GL_FALSE, GL_ONE_MINUS_DST_COLOR,
       GL_ONE_MINUS_SRC_COLOR},
      {"flash, none", [] { DrawExplosionFlash(-1); }, {1, 1, 1, -1}, GL_FALSE, GL_SRC_ALPHA, GL_ONE},
  };
  for (const LeftState& c : cases) {
    SCOPED_TRACE(c.name);
    ResetSceneState();
    // An odd blend state going in shows which overlays leave blending untouched.
    glEnable(GL_BLEND);
    glBlendFunc(GL_CONSTANT_COLOR, GL_ZERO);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    const GlStateSnapshot before = CaptureGlState();
    for (int i = 0; i < 3; ++i) c.draw();
    const GlStateSnapshot after = CaptureGlState();
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(after.colour[i], c.colour[i], 1e-6) << "component " << i;
    EXPECT_EQ(after.blend, c.blend);
    EXPECT_EQ(after.blendSrc, c.blendSrc);
    EXPECT_EQ(after.blendDst, c.blendDst);
    EXPECT_EQ(after.modelviewDepth, before.modelviewDepth);
    EXPECT_EQ(after.projectionDepth, before.projectionDepth);
    EXPECT_EQ(after.matrixMode, GL_MODELVIEW);
    EXPECT_EQ(after.depthTest, GL_TRUE);
    EXPECT_EQ(after.texture2d, GL_FALSE);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(OverlayTest, LineWidthAndTexturingLeftBehind) {
  DrawSpectrumLines();
  EXPECT_EQ(CaptureGlState().lineWidth, 6.0f);
  // The fades and the letterbox keep texturing as they find it; the flash turns it off.
  glEnable(GL_TEXTURE_2D);
  DrawWhiteFade(0);
  DrawLetterbox();
  EXPECT_EQ(glIsEnabled(GL_TEXTURE_2D), GL_TRUE);
  const GLuint explode = MakeTexture(1, 1, {255, 255, 255, 255});
  textureTable.names[static_cast<int>(TextureSlot::explode)] = explode;
  DrawExplosionFlash(0);
  const GlStateSnapshot after = CaptureGlState();
  EXPECT_EQ(after.texture2d, GL_FALSE);
  EXPECT_EQ(after.binding2d, static_cast<GLint>(explode));
  textureTable.names[static_cast<int>(TextureSlot::explode)] = 0;
  glDeleteTextures(1, &explode);
}

TEST_F(OverlayTest, LetterboxBarsAreBlackRowsAndNeverHidden) {
  WriteFrame(UniformFrame(128, 128, 128));
  glClearDepth(0);  // the nearest possible scene
  glClear(GL_DEPTH_BUFFER_BIT);
  DrawLetterbox();
  for (const int y : {0, 35, 69, 530, 599}) EXPECT_EQ(Red(400, y), 0) << "row " << y;
  for (const int y : {70, 300, 529}) EXPECT_EQ(Red(400, y), 128) << "row " << y;
  EXPECT_EQ(Red(0, 10), 0);
  EXPECT_EQ(Red(799, 590), 0);
}

TEST_F(OverlayTest, ScanlinesAreTwoRowsInFiveAndHiddenBehindNearerDepth) {
  DrawScanlines();
  const int line = Red(400, 0);
  EXPECT_NEAR(line, 31, 1);  // 0.12 of white over black
  for (int y = 0; y < 600; ++y) EXPECT_EQ(Red(123, y), y % 5 < 2 ? line : 0) << "row " << y;
  // At window depth 0.5 they lose against a scene nearer than that; the band at z = +1 wins.
  glClear(GL_COLOR_BUFFER_BIT);
  glClearDepth(0.25);
  glClear(GL_DEPTH_BUFFER_BIT);
  DrawCaptionBand();
  DrawScanlines();
  WriteFrame(UniformFrame(0, 0, 0));
  DrawScanlines();
  EXPECT_EQ(Red(400, 0), 0);
  glClearDepth(1);
}

TEST_F(OverlayTest, InvertFadeMixesTowardsTheNegative) {
  std::vector<uint8_t> frame = UniformFrame(0, 64, 255);
  struct Expect {
    float a;
    int r, g, b;
  };
  // a(1 - d) + d(1 - a) per channel.
  for (const Expect e : {Expect{0, 0, 64, 255}, Expect{0.5f, 128, 128, 128}, Expect{1, 255, 191, 0}}) {
    SCOPED_TRACE(e.a);
    WriteFrame(frame);
    DrawInvertFade(e.a);
    uint8_t rgb[3];
    PixelAt(321, 123, rgb);
    EXPECT_NEAR(rgb[0], e.r, 1);
    EXPECT_NEAR(rgb[1], e.g, 1);
    EXPECT_NEAR(rgb[2], e.b, 1);
  }
}

TEST_F(OverlayTest, FadesRelyOnTheColourClamp) {
  // The plain passes: the clamp itself is under test, which is what lets the shortcuts skip.
  const auto after = [&](void (*fade)(float), float a) {
    WriteFrame(UniformFrame(100, 100, 100));
    SetFramePassMode(PassMode::plain);
    fade(a);
    SetFramePassMode(PassMode::shortcuts);
    return Red(400, 300);
  };
  EXPECT_EQ(after(DrawWhiteFade, -2), 100);
  EXPECT_NEAR(after(DrawWhiteFade, 0.5f), 178, 1);
  EXPECT_EQ(after(DrawWhiteFade, 5), 255);
  EXPECT_EQ(after(DrawBlackFade, -3), 0);   // (t - 4) / 4 before 4 s: fully black
  EXPECT_NEAR(after(DrawBlackFade, 0.5f), 50, 1);
  EXPECT_EQ(after(DrawBlackFade, 2), 100);  // clear from 8 s on
}

TEST_F(OverlayTest, CaptionBandDarkensRows400To520) {
  WriteFrame(UniformFrame(200, 200, 200));
  DrawCaptionBand();
  EXPECT_EQ(Red(400, 399), 200);
  EXPECT_NEAR(Red(400, 400), 20, 1);
  EXPECT_NEAR(Red(400, 519), 20, 1);
  EXPECT_EQ(Red(400, 520), 200);
}

TEST_F(OverlayTest, SpectrumBarsReachAboveAndBelowTheMiddle) {
  SpectrumBands[1] = 1;
  DrawSpectrumBars();
  const int bar = Red(10, 300);
  EXPECT_NEAR(bar, 26, 1);
  // Band 0 at 0: a 60-unit bar from y 290 to 350 at x 2..22.
  EXPECT_EQ(Red(10, 289), 0);
  EXPECT_EQ(Red(10, 290), bar);
  EXPECT_EQ(Red(10, 349), bar);
  EXPECT_EQ(Red(10, 350), 0);
  EXPECT_EQ(Red(1, 300), 0);
  EXPECT_EQ(Red(23, 300), 0);
  // Band 1 at 1: from y 210 to 430 at x 27..47.
  EXPECT_EQ(Red(37, 209), 0);
  EXPECT_EQ(Red(37, 210), bar);
  EXPECT_EQ(Red(37, 429), bar);
  EXPECT_EQ(Red(37, 430), 0);
}

TEST_F(OverlayTest, SpectrumLinesAtSilenceRunAlongTheMiddleFromX2) {
  DrawSpectrumLines();
  uint8_t rgb[3];
  PixelAt(400, 320, rgb);
  EXPECT_EQ(rgb[0], 255);
  EXPECT_EQ(rgb[1], 0);
  EXPECT_EQ(Red(799, 320), 255);
  EXPECT_EQ(Red(400, 300), 0);
  EXPECT_EQ(Red(0, 320), 0);
}

TEST_F(OverlayTest, ExplosionFlashIsMirroredAndAdditive) {
  // Left texel red, right texel green: on screen the left side shows green.
  const GLuint explode = MakeTexture(2, 1, {255, 0, 0, 255, 0, 255, 0, 255});
  textureTable.names[static_cast<int>(TextureSlot::explode)] = explode;
  WriteFrame(UniformFrame(0, 0, 100));
  DrawExplosionFlash(1);
  uint8_t left[3], right[3];
  PixelAt(100, 300, left);
  PixelAt(700, 300, right);
  EXPECT_EQ(left[0], 0);
  EXPECT_EQ(left[1], 255);
  EXPECT_EQ(left[2], 100);
  EXPECT_EQ(right[0], 255);
  EXPECT_EQ(right[1], 0);
  WriteFrame(UniformFrame(0, 0, 100));
  DrawExplosionFlash(-1);  // before 277 s: adds nothing
  PixelAt(100, 300, left);
  EXPECT_EQ(left[1], 0);
  textureTable.names[static_cast<int>(TextureSlot::explode)] = 0;
  glDeleteTextures(1, &explode);
}
}  // namespace
