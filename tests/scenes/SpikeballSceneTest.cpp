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

TEST_F(ShaftToFinaleTest, SpikeballFloorAndCeilingFadeWithDistance) {
  DemoClock = 243;
  DrawSpikeballScene();
  const auto check = SlotColour(TextureSlot::check2);
  // The lowest row meets the floor 3.6 units ahead, the top row the ceiling 4.8 units ahead;
  // the fog ends at 25.
  uint8_t floor[3], ceiling[3], centre[3];
  PixelAt(400, 599, floor);
  PixelAt(400, 0, ceiling);
  EXPECT_NEAR(floor[0], (1 - 3.6f / 25) * check[0], 6);
  EXPECT_NEAR(ceiling[0], (1 - 4.8f / 25) * check[0], 6);
  EXPECT_NEAR(floor[2], floor[0], 2);
  EXPECT_LT(floor[1], 4);
  PixelAt(400, 300, centre);
  EXPECT_LT(centre[0], 3) << "the far ends lie beyond the fog";
}
