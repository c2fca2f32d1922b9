// The tunnel: particle offset, sprite sizes, the sway kept in the point table, and the state left.
#include <cmath>
#include <cstring>

#include "ShaftToFinaleFixture.h"
#include "scenes/Scenes.h"
#include "scenes/TunnelScene.h"

TEST(TunnelSceneMath, ParticlesApproachThreeUnitsPerSecond) {
  EXPECT_FLOAT_EQ(TunnelParticleOffset(188.5f), -414.5f);
  EXPECT_FLOAT_EQ(TunnelParticleOffset(209), -353);
}

TEST(TunnelSceneMath, SpriteHalfSizeDependsOnIndexOnly) {
  EXPECT_FLOAT_EQ(TunnelSpriteHalfSize(0), 0.3f);
  EXPECT_NEAR(TunnelSpriteHalfSize(11), 0.5f, 1e-4f);  // sin(11) is nearly -1
  EXPECT_NEAR(TunnelSpriteHalfSize(33), 0.1f, 1e-3f);  // sin(33) is nearly 1
  for (int i = 0; i < kRandomPointCount; ++i) {
    EXPECT_GE(TunnelSpriteHalfSize(i), 0.1f) << i;
    EXPECT_LE(TunnelSpriteHalfSize(i), 0.5f) << i;
  }
}

class TunnelSceneTest : public ShaftToFinaleTest {
 protected:
  void SetUp() override {
    ShaftToFinaleTest::SetUp();
    // Far behind the far plane, except point 0, which sits 5 units before the eye at 188.5 s.
    for (Point3& point : tunnelPoints) point = {1, -1, 0};
    tunnelPoints[0] = {0, 0, 409.5f};
  }
};

TEST_F(TunnelSceneTest, SwayIsAppliedOncePerFrameAndStaysInTheTable) {
  Point3 expected[kRandomPointCount];
  std::memcpy(expected, tunnelPoints, sizeof expected);
  const float frames[3] = {190, 190.02f, 195};
  for (const float t : frames) {
    DemoClock = t;
    DrawTunnelScene();
    for (int i = 0; i < kRandomPointCount; ++i) SwayTunnelPoint(expected[i], i, t);
  }
  for (int i = 0; i < kRandomPointCount; ++i) {
    ASSERT_EQ(tunnelPoints[i].x, expected[i].x) << i;
    ASSERT_EQ(tunnelPoints[i].y, expected[i].y) << i;
    ASSERT_EQ(tunnelPoints[i].z, expected[i].z) << i;
  }
  EXPECT_NE(tunnelPoints[5].x, 1.0f);
}

TEST_F(TunnelSceneTest, LeavesFogOnToTwentyFiveAndAdditiveBlendOff) {
  glFogf(GL_FOG_END, 80);
  DemoClock = 200;
  DrawTunnelScene();
  EXPECT_TRUE(Enabled(GL_FOG));
  EXPECT_EQ(FogValue(GL_FOG_START), 0);
  EXPECT_EQ(FogValue(GL_FOG_END), 25);
  EXPECT_TRUE(Enabled(GL_TEXTURE_2D));
  EXPECT_EQ(BoundTexture(), Texture(TextureSlot::bubble));
  EXPECT_TRUE(Enabled(GL_DEPTH_TEST));
  EXPECT_FALSE(Enabled(GL_BLEND));
  GLint source = 0, destination = 0;
  glGetIntegerv(GL_BLEND_SRC, &source);
  glGetIntegerv(GL_BLEND_DST, &destination);
  EXPECT_EQ(source, GL_SRC_ALPHA);
  EXPECT_EQ(destination, GL_ONE);
  glPushMatrix();
  glLoadIdentity();
  glTranslatef(0, 0, TunnelParticleOffset(200));
  const GlMatrix expected = Modelview();
  glPopMatrix();
  ExpectMatrixNear(Modelview(), expected);
  ExpectCommonLeftovers();
}

TEST_F(TunnelSceneTest, NearBubbleAddsItsFoggedColourOverTheDarkFarEnd) {
  DemoClock = 188.5f;
  DrawTunnelScene();
  // Five units away with the fog ending at 25: four fifths of the bubble texture's colour.
  const auto bubble = SlotColour(TextureSlot::bubble);
  uint8_t centre[3];
  PixelAt(400, 300, centre);
  for (int c = 0; c < 3; ++c) EXPECT_NEAR(centre[c], 0.8f * bubble[c], 4) << c;
  // At the screen's left edge the tube wall is near: its stripe colour, barely fogged.
  const auto stripes = SlotColour(TextureSlot::stripes);
  uint8_t edge[3];
  PixelAt(2, 300, edge);
  EXPECT_GT(edge[0], stripes[0] / 2);
  EXPECT_GT(edge[0], edge[1]);
  EXPECT_GT(edge[1], edge[2]);
}
