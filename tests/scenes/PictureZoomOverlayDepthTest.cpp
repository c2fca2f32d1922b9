// Over the picture zoom, the depth buffer decides which of the window's layers show: the picture
// lies nearer than the overlay plane, so the spectrum lines and scanlines are hidden behind it,
// while the caption band (at the near plane) and the words (no depth test) show.
#include "ShaftToFinaleFixture.h"
#include "render/Font.h"
#include "render/Overlays.h"
#include "scenes/Scenes.h"

namespace {
GLuint whiteFontTexture = 0;

// Every glyph cell fully white and opaque: a printed character is a solid square of its colour.
void UseWhiteFont() {
  if (!whiteFontTexture) {
    const uint8_t white[4] = {255, 255, 255, 255};
    glGenTextures(1, &whiteFontTexture);
    glBindTexture(GL_TEXTURE_2D, whiteFontTexture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, white);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  }
  textureTable.font = whiteFontTexture;
  if (!fontBase) BuildFont();
}

// The layers of one frame of the window around the scene, in the timeline's order (the glow
// and the fades are left out: they cover the whole screen alike).
void DrawZoomWindowFrame(float t) {
  DemoClock = t;
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glColor3f(1, 1, 1);
  DrawPictureZoomScene();
  DrawSpectrumLines();
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glEnable(GL_BLEND);
  glColor3f(0.2f, 0.9f, 0.1f);
  DrawCaptionBand();
  glColor3f(1, 0, 0);
  PrintText(128, 100, "     your     ", 0, 1.5f);
  glDisable(GL_BLEND);
  glColor3f(1, 1, 1);
  glEnable(GL_BLEND);
  DrawScanlines();
  glDisable(GL_BLEND);
}
}  // namespace

TEST_F(ShaftToFinaleTest, PictureZoomHidesSpectrumLinesAndScanlinesButNotBandOrWords) {
  UseWhiteFont();
  SpectrumBands[3] = 0.5f;
  DrawZoomWindowFrame(159);
  const uint8_t grey = SlotColour(TextureSlot::gromeyes)[0];
  uint8_t pixel[3];

  // With the bands near 0 the spectrum lines run along y = 320; row 100 carries a scanline.
  const int hiddenProbes[4][2] = {{400, 320}, {100, 318}, {400, 100}, {650, 250}};
  for (const auto& probe : hiddenProbes) {
    PixelAt(probe[0], probe[1], pixel);
    EXPECT_EQ(pixel[0], grey) << probe[0] << "," << probe[1];
    EXPECT_EQ(pixel[1], grey) << probe[0] << "," << probe[1];
  }

  // The band darkens the picture to a tenth, on scanline rows (450) and between them (452).
  for (const int y : {450, 452}) {
    PixelAt(40, y, pixel);
    EXPECT_NEAR(pixel[0], grey / 10, 2) << y;
  }

  // "your" sits at text x 248..344, y 100..124: screen x 310..430, y 445..475.
  PixelAt(370, 460, pixel);
  EXPECT_GT(pixel[0], 240);
  EXPECT_LT(pixel[1], grey / 10 + 3);
}
