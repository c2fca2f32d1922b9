// The picture zoom: its scale, the view it fills, its depth and the state it leaves.
#include "ShaftToFinaleFixture.h"
#include "scenes/PictureZoomScene.h"
#include "scenes/Scenes.h"

TEST(PictureZoomSceneMath, ScaleEasesToExactlyOneAtTheEnd) {
  EXPECT_NEAR(PictureZoomScale(156), 3.57f, 0.01f);
  EXPECT_NEAR(PictureZoomScale(158.6f), 1.68f, 0.01f);
  EXPECT_NEAR(PictureZoomScale(159.3f), 1.35f, 0.01f);
  EXPECT_EQ(PictureZoomScale(161), 1.0f);
}

TEST_F(ShaftToFinaleTest, PictureZoomFillsTheViewAtItsSmallestAndLiesBeforeTheOverlayPlane) {
  DemoClock = 160.999f;
  DrawPictureZoomScene();
  const auto grey = SlotColour(TextureSlot::gromeyes);
  const int corners[4][2] = {{0, 0}, {799, 0}, {0, 599}, {799, 599}};
  for (const auto& corner : corners) {
    uint8_t pixel[3];
    PixelAt(corner[0], corner[1], pixel);
    EXPECT_EQ(pixel[0], grey[0]) << corner[0] << "," << corner[1];
  }
  GLfloat depth = 0;
  glReadPixels(400, 300, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
  EXPECT_NEAR(depth, 0.449f, 0.002f);
}

TEST_F(ShaftToFinaleTest, PictureZoomTouchesNoFogBlendOrColour) {
  glEnable(GL_FOG);
  glFogf(GL_FOG_END, 80);
  DemoClock = 158;
  DrawPictureZoomScene();
  EXPECT_TRUE(Enabled(GL_FOG));
  EXPECT_EQ(FogValue(GL_FOG_END), 80);
  EXPECT_FALSE(Enabled(GL_BLEND));
  EXPECT_TRUE(Enabled(GL_DEPTH_TEST));
  EXPECT_TRUE(Enabled(GL_TEXTURE_2D));
  EXPECT_EQ(BoundTexture(), Texture(TextureSlot::gromeyes));
  EXPECT_EQ(CurrentColour(), (std::array<GLfloat, 4>{1, 1, 1, 1}));
  const float s = PictureZoomScale(158);
  glPushMatrix();
  glLoadIdentity();
  glTranslatef(0, 0, -1.8f);
  glScalef(s, s, 1);
  const GlMatrix expected = Modelview();
  glPopMatrix();
  ExpectMatrixNear(Modelview(), expected);
  ExpectCommonLeftovers();
}
