// The spike ball: its distance over the scene, band 4's push and the state it leaves.
#include "ShaftToFinaleFixture.h"
#include "scenes/Scenes.h"
#include "scenes/SpikeballScene.h"

TEST(SpikeballSceneMath, DistanceFollowsTheApproachPath) {
  EXPECT_FLOAT_EQ(SpikeballDistance(236, 0), 60);
  EXPECT_NEAR(SpikeballDistance(241, 0), 5, 1e-4f);
  EXPECT_NEAR(SpikeballDistance(241.5f, 0), 5, 1e-4f);
  EXPECT_NEAR(SpikeballDistance(242, 0), 5, 1e-4f);
  EXPECT_NEAR(SpikeballDistance(244.5f, 0), 6, 1e-3f);
  EXPECT_NEAR(SpikeballDistance(247, 0), 7, 1e-4f);
  EXPECT_NEAR(SpikeballDistance(248, 0), 7, 1e-4f);
  EXPECT_NEAR(SpikeballDistance(250, 0), 70, 1e-4f);
  EXPECT_GT(SpikeballDistance(238.8f, 0), 25);
  EXPECT_LT(SpikeballDistance(239, 0), 25);
}

TEST(SpikeballSceneMath, BandFourPushesTheBallNearerUnscaled) {
  EXPECT_FLOAT_EQ(SpikeballDistance(245, 0) - SpikeballDistance(245, 1), 1);
  EXPECT_FLOAT_EQ(SpikeballDistance(245, 0) - SpikeballDistance(245, 0.25f), 0.25f);
}

TEST_F(ShaftToFinaleTest, SpikeballLeavesFloorTextureAndFogOffWithItsRangeUntouched) {
  glFogf(GL_FOG_END, 80);
  SpectrumBands[4] = 0.25f;
  DemoClock = 243;
  DrawSpikeballScene();
  EXPECT_FALSE(Enabled(GL_FOG));
  EXPECT_EQ(FogValue(GL_FOG_END), 80);
  EXPECT_TRUE(Enabled(GL_TEXTURE_2D));
  EXPECT_EQ(BoundTexture(), Texture(TextureSlot::check2));
  EXPECT_TRUE(Enabled(GL_DEPTH_TEST));
  EXPECT_FALSE(Enabled(GL_BLEND));
  EXPECT_EQ(CurrentColour(), (std::array<GLfloat, 4>{1, 1, 1, 1}));
  glPushMatrix();
  glLoadIdentity();
  glTranslatef(0, 0, -kSpikeballViewDistance);
  const GlMatrix expected = Modelview();
  glPopMatrix();
  ExpectMatrixNear(Modelview(), expected);
  ExpectCommonLeftovers();
}

TEST_F(ShaftToFinaleTest, SpikeballFloorAndCeilingAreFoggedWhileDrawn) {
  DemoClock = 243;
  DrawSpikeballScene();
  const auto check = SlotColour(TextureSlot::check2);
  const int probes[2][2] = {{400, 595}, {400, 4}};
  for (const auto& probe : probes) {
    uint8_t pixel[3];
    PixelAt(probe[0], probe[1], pixel);
    // The floor texture's hue, darkened by fog (how much depends on the driver's fog coordinate
    // for a quad that reaches behind the eye).
    EXPECT_GT(pixel[0], check[0] / 8) << probe[1];
    EXPECT_LT(pixel[0], 0.9f * check[0]) << probe[1];
    EXPECT_NEAR(pixel[0], pixel[2], 2) << probe[1];
    EXPECT_LT(pixel[1], 10) << probe[1];
  }
  uint8_t centre[3];
  PixelAt(400, 300, centre);
  EXPECT_LT(centre[0], 3) << "the far ends lie beyond the fog";
}
