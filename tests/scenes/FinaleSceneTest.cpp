// The finale: drop and swing paths, the pillar heights, the shell's band and the state left.
#include <cmath>

#include "ShaftToFinaleFixture.h"
#include "scenes/FinaleScene.h"
#include "scenes/Scenes.h"

TEST(FinaleSceneMath, SphereDropsTo25By270) {
  EXPECT_NEAR(FinaleDrop(250), 58.75f, 0.01f);
  EXPECT_NEAR(FinaleDrop(262), 32.44f, 0.01f);
  EXPECT_NEAR(FinaleDrop(265), 28.01f, 0.01f);
  EXPECT_NEAR(FinaleDrop(270), 25, 1e-4f);
  EXPECT_EQ(FinaleDrop(275), 25);
  EXPECT_EQ(FinaleDrop(277), 25);
}

TEST(FinaleSceneMath, SatellitesSwingInBetween265And275) {
  EXPECT_EQ(FinaleSwing(250), 50);
  EXPECT_EQ(FinaleSwing(262), 50);
  EXPECT_NEAR(FinaleSwing(263.5f), 36, 0.01f);
  EXPECT_NEAR(FinaleSwing(265), 22, 1e-4f);
  EXPECT_EQ(FinaleSwing(270), 22);
  EXPECT_NEAR(FinaleSwing(275), 22, 1e-4f);
  EXPECT_NEAR(FinaleSwing(277), 50, 1e-4f);
  EXPECT_EQ(FinaleSwing(281), 50);
}

TEST(FinaleSceneMath, PillarHeightsStayStrictlyBetweenTwoAndSix) {
  float lowest = 10, highest = 0;
  for (int i = -10; i <= 9; ++i) {
    EXPECT_EQ(FinalePillarHeight(i, 0), 4);
    EXPECT_EQ(FinalePillarHeight(0, i), 4);
    for (int j = -10; j <= 9; ++j) {
      lowest = std::fmin(lowest, FinalePillarHeight(i, j));
      highest = std::fmax(highest, FinalePillarHeight(i, j));
    }
  }
  EXPECT_GT(lowest, 2);
  EXPECT_LT(lowest, 2.03f);
  EXPECT_LT(highest, 6);
  EXPECT_GT(highest, 5.97f);
  EXPECT_NEAR(FinalePillarHeight(-2, 4), 2.02f, 0.005f);
  EXPECT_NEAR(FinalePillarHeight(2, 4), 5.98f, 0.005f);
}

TEST(FinaleSceneMath, CameraStaysAboveTheFloorAtRadiusSixty) {
  EXPECT_NEAR(FinaleEye(250).y, 12.3f, 0.05f);
  EXPECT_NEAR(FinaleEye(282).y, 31, 0.5f);
  for (float t = 250; t <= 282; t += 0.5f) {
    const Point3 eye = FinaleEye(t);
    EXPECT_NEAR(std::hypot(eye.x, eye.z), 60, 1e-3f);
    EXPECT_GT(eye.y, 0);
  }
}

TEST_F(ShaftToFinaleTest, FinaleLeavesFogEndEightyAndTheShellsColour) {
  SpectrumBands[6] = 0.375f;
  DemoClock = 268;
  DrawFinaleScene();
  EXPECT_FALSE(Enabled(GL_FOG));
  EXPECT_EQ(FogValue(GL_FOG_START), 0);
  EXPECT_EQ(FogValue(GL_FOG_END), 80);
  EXPECT_FALSE(Enabled(GL_BLEND));
  EXPECT_TRUE(Enabled(GL_TEXTURE_2D));
  EXPECT_EQ(BoundTexture(), Texture(TextureSlot::envifoo));
  EXPECT_EQ(CurrentColour(), (std::array<GLfloat, 4>{1, 1, 1, 0.375f}));
  GLfloat lineWidth = 0;
  glGetFloatv(GL_LINE_WIDTH, &lineWidth);
  EXPECT_EQ(lineWidth, 1);
  ExpectMatrixNear(Modelview(), LookAt(FinaleEye(268), {0, 20, 0}));
  ExpectCommonLeftovers();
}

TEST_F(ShaftToFinaleTest, FinaleShellGlowsWithBandSix) {
  DemoClock = 268;
  DrawFinaleScene();
  uint8_t silent[3];
  PixelAt(400, 260, silent);
  EXPECT_GT(silent[1], 20) << "the big sphere is above the view centre";

  SetUp();
  SpectrumBands[6] = 1;
  DrawFinaleScene();
  uint8_t loud[3];
  PixelAt(400, 260, loud);
  // The shell adds the blue circuit-board texture on top.
  EXPECT_GT(loud[2], silent[2] + 20);
  EXPECT_NEAR(loud[1], silent[1] + 0.18f * SlotColour(TextureSlot::pcb3)[1], 12);
}
