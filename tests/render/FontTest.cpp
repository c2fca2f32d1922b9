// The bitmap font on a synthetic font texture whose cells say which glyph they are: glyph g is
// opaque in the file's upper half of its cell, with red = g, so a pixel names the glyph drawn
// and shows whether the cell came out upside down.
#include <cstring>

#include "RenderProbe.h"
#include "director/DemoState.h"
#include "render/Caption.h"
#include "render/Font.h"
#include "support/GlTest.h"

namespace {
constexpr int kCell = 8;

std::vector<uint8_t> SyntheticFont() {
  std::vector<uint8_t> rgba(16 * kCell * 16 * kCell * 4, 0);
  for (int g = 1; g < 256; ++g) {  // glyph 0, the space, stays transparent
    const int column = g % 16, fileRow = 15 - g / 16;
    for (int y = 0; y < kCell / 2; ++y)
      for (int x = 0; x < kCell; ++x) {
        uint8_t* p = &rgba[((fileRow * kCell + y) * 16 * kCell + column * kCell + x) * 4];
        p[0] = uint8_t(g);
        p[1] = 255;
        p[3] = 255;
      }
  }
  return rgba;
}

class FontTest : public GlTest {
 protected:
  static void SetUpTestSuite() {
    GlTest::SetUpTestSuite();
    textureTable.font = MakeTexture(16 * kCell, 16 * kCell, SyntheticFont());
    BuildFont();
  }
  void SetUp() override {
    GlTest::SetUp();
    ResetSceneState();
  }
  // Red at the centre of the lower or upper half of character cell i of a line printed at
  // (x, y) with the given scale; text space is 640 x 480 over the 800 x 600 window.
  static int GlyphRed(int x, int y, float scale, int i, bool upper = false) {
    const float cx = x + 16 * scale * (i + 0.5f);
    const float cy = y + 16 * scale * (upper ? 0.75f : 0.25f);
    uint8_t rgb[3];
    PixelAt(int(cx * 1.25f), 599 - int(cy * 1.25f), rgb);
    return rgb[0];
  }
};

TEST_F(FontTest, GlyphsComeFromFlippedCellsAndAdvanceSixteenUnits) {
  PrintText(100, 200, "A!", 0, 1);
  EXPECT_EQ(GlyphRed(100, 200, 1, 0), 'A' - 32);
  EXPECT_EQ(GlyphRed(100, 200, 1, 0, true), 0);  // the file's upper half lies at the bottom
  EXPECT_EQ(GlyphRed(100, 200, 1, 1), '!' - 32);
  EXPECT_EQ(GlyphRed(100, 200, 1, 2), 0);
}

TEST_F(FontTest, TheThreeWordsLandAtTheirOwnCellsOfOneLine) {
  struct Line {
    const char* text;
    int first;
  };
  for (const Line line : {Line{"grom          ", 0}, Line{"     your     ", 5}, Line{"          eyes", 10}}) {
    SCOPED_TRACE(line.text);
    glClear(GL_COLOR_BUFFER_BIT);
    PrintText(128, 100, line.text, 0, 1.5f);
    for (int i = 0; i < 14; ++i) {
      const bool letter = i >= line.first && i < line.first + 4;
      EXPECT_EQ(GlyphRed(128, 100, 1.5f, i), letter ? line.text[i] - 32 : 0) << "cell " << i;
    }
  }
}

TEST_F(FontTest, SetTwoLooksLikeSetOneAndMissingGlyphsDrawNothing) {
  PrintText(0, 0, "A", 1, 2);
  const std::vector<uint8_t> setOne = ReadFrame();
  EXPECT_EQ(GlyphRed(0, 0, 2, 0), 'A' + 96);
  glClear(GL_COLOR_BUFFER_BIT);
  PrintText(0, 0, "A", 2, 2);
  EXPECT_EQ(MaxDifference(ReadFrame(), setOne), 0);
  // Control codes in set 0 and codes above 159 in set 1 have no glyph: no quad, no advance.
  glClear(GL_COLOR_BUFFER_BIT);
  PrintText(0, 300, "\x1f" "B\x01", 0, 1);
  EXPECT_EQ(GlyphRed(0, 300, 1, 0), 'B' - 32);
  EXPECT_EQ(GlyphRed(0, 300, 1, 1), 0);
  glClear(GL_COLOR_BUFFER_BIT);
  PrintText(0, 300, "\xf0" "C", 1, 1);
  EXPECT_EQ(GlyphRed(0, 300, 1, 0), 'C' + 96);
}

TEST_F(FontTest, PrintTextLeavesAdditiveBlendingOnAndTexturingOff) {
  glColor4f(0.2f, 0.9f, 0.1f, 1);
  const GlStateSnapshot before = CaptureGlState();
  PrintText(10, 10, "state", 0, 1.5f);
  const GlStateSnapshot after = CaptureGlState();
  EXPECT_EQ(after.texture2d, GL_FALSE);
  EXPECT_EQ(after.depthTest, GL_TRUE);
  EXPECT_EQ(after.blend, GL_TRUE);
  EXPECT_EQ(after.blendSrc, GL_SRC_ALPHA);
  EXPECT_EQ(after.blendDst, GL_ONE);
  EXPECT_EQ(after.binding2d, static_cast<GLint>(textureTable.font));
  EXPECT_FLOAT_EQ(after.colour[1], 0.9f);
  EXPECT_EQ(after.matrixMode, GL_MODELVIEW);
  EXPECT_EQ(after.modelviewDepth, before.modelviewDepth);
  EXPECT_EQ(after.projectionDepth, before.projectionDepth);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(FontTest, CreditCaptionShowsTheStageOfTheDemoTime) {
  const auto at = [&](float t) {
    DemoClock = t;
    glClear(GL_COLOR_BUFFER_BIT);
    DrawCreditCaption(70, 110, 30, 10, "visuals:", kCaptionDigits1, 1.5f, 8);
    return GlyphRed(70, 110, 1.5f, 0);
  };
  EXPECT_EQ(at(30.3f), 0);           // holding blanks
  EXPECT_EQ(at(32.6f), '1' - 32);    // the digit string in full
  EXPECT_EQ(at(34.9f), 'v' - 32);    // the text
  EXPECT_EQ(at(32.5f), 0);           // exactly on a boundary nothing is drawn
  EXPECT_EQ(at(37.9f), 0);           // blanks have overwritten the text
  DemoClock = 0;
}

TEST(CaptionTest, StagesSwitchStrictlyAtQuarterAndHalfDuration) {
  const char* text = "visuals:";
  EXPECT_FALSE(CaptionStageAt(30, 30, 10, text, kCaptionDigits1).visible);
  CaptionStage s = CaptionStageAt(30.1f, 30, 10, text, kCaptionDigits1);
  EXPECT_TRUE(s.visible);
  EXPECT_EQ(s.stageStart, 30);
  EXPECT_EQ(s.incoming, kCaptionDigits1);
  EXPECT_EQ(s.outgoing, kCaptionBlanks);
  EXPECT_FALSE(CaptionStageAt(32.5f, 30, 10, text, kCaptionDigits1).visible);
  s = CaptionStageAt(34, 30, 10, text, kCaptionDigits1);
  EXPECT_EQ(s.stageStart, 32.5f);
  EXPECT_EQ(s.incoming, text);
  EXPECT_EQ(s.outgoing, kCaptionDigits1);
  EXPECT_FALSE(CaptionStageAt(35, 30, 10, text, kCaptionDigits1).visible);
  s = CaptionStageAt(39.9f, 30, 10, text, kCaptionDigits1);
  EXPECT_EQ(s.stageStart, 35);
  EXPECT_EQ(s.incoming, kCaptionBlanks);
  EXPECT_EQ(s.outgoing, text);
  EXPECT_FALSE(CaptionStageAt(40, 30, 10, text, kCaptionDigits1).visible);
  EXPECT_FALSE(CaptionStageAt(29.9f, 30, 10, text, kCaptionDigits1).visible);
}

TEST(CaptionTest, RevealHoldsHalfASecondThenTakesFortyCharactersIn235Seconds) {
  EXPECT_EQ(CaptionRevealed(-1), 0);
  EXPECT_EQ(CaptionRevealed(0.49f), 0);
  EXPECT_EQ(CaptionRevealed(0.56f), 1);
  EXPECT_EQ(CaptionRevealed(1.5f), 17);  // the end of a 6 s caption's first stage
  EXPECT_EQ(CaptionRevealed(2.5f), 34);  // the end of a 10 s caption's first stage
  EXPECT_EQ(CaptionRevealed(2.9f), 40);
  EXPECT_EQ(CaptionRevealed(100), 40);
  // Fully revealed from 0.5 + length x 2.35 / 40 on.
  EXPECT_LT(CaptionRevealed(0.96f), 8);
  EXPECT_GE(CaptionRevealed(0.98f), 8);
  EXPECT_LT(CaptionRevealed(1.96f), 25);
  EXPECT_GE(CaptionRevealed(1.98f), 25);
  for (float d = 0.5f; d < 3; d += 0.01f) EXPECT_LE(CaptionRevealed(d), CaptionRevealed(d + 0.01f));
}

TEST(CaptionTest, StageStringsTakeTheIncomingPrefix) {
  char out[kCaptionMaxLength + 1];
  ComposeCaptionStage(out, 3, "korvo", kCaptionDigits2, 5);
  EXPECT_STREQ(out, "kor10");  // D2 is 0101...: characters 3 and 4 are 1, 0
  ComposeCaptionStage(out, 0, kCaptionDigits1, kCaptionBlanks, 8);
  EXPECT_STREQ(out, "        ");
  ComposeCaptionStage(out, 40, "sonorrak", kCaptionDigits2, 8);
  EXPECT_STREQ(out, "sonorrak");
  ComposeCaptionStage(out, 12, kCaptionBlanks, "a tale from the old house", 25);
  EXPECT_STREQ(out, "            the old house");
  // A length beyond a string's end reads spaces, never past the terminator.
  ComposeCaptionStage(out, 40, "ab", kCaptionDigits1, 4);
  EXPECT_STREQ(out, "ab  ");
  ComposeCaptionStage(out, 0, "x", "y", 500);
  EXPECT_EQ(std::strlen(out), size_t(kCaptionMaxLength));
}
}  // namespace
