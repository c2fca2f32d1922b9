// The shaft scene: camera, wall scroll and the state it leaves.
#include <cmath>

#include "ShaftToFinaleFixture.h"
#include "scenes/Scenes.h"
#include "scenes/ShaftScene.h"

TEST(ShaftSceneMath, EyeCirclesAtWallRadiusAndBobs) {
  const Point3 opening = ShaftEye(130);
  EXPECT_NEAR(opening.x, 8.27f, 0.01f);
  EXPECT_NEAR(opening.y, 9.35f, 0.01f);
  EXPECT_NEAR(opening.z, -5.62f, 0.01f);
  for (float t = 130; t < 143; t += 0.7f) {
    const Point3 eye = ShaftEye(t);
    EXPECT_NEAR(std::hypot(eye.x, eye.z), 10, 1e-4f) << t;
    EXPECT_LE(std::fabs(eye.y), 20) << t;
  }
}

TEST_F(ShaftToFinaleTest, ShaftLeavesFogOffWithEndFiftyAndModelTextureBound) {
  DemoClock = 136.5f;
  DrawShaftScene();
  EXPECT_FALSE(Enabled(GL_FOG));
  EXPECT_EQ(FogValue(GL_FOG_START), 0);
  EXPECT_EQ(FogValue(GL_FOG_END), 50);
  EXPECT_TRUE(Enabled(GL_TEXTURE_2D));
  EXPECT_EQ(BoundTexture(), Texture(TextureSlot::envifoo));
  EXPECT_TRUE(Enabled(GL_DEPTH_TEST));
  EXPECT_FALSE(Enabled(GL_BLEND));
  ExpectMatrixNear(Modelview(), LookAt(ShaftEye(136.5f), {}));
  ExpectCommonLeftovers();
}

TEST_F(ShaftToFinaleTest, ShaftWallsShowTheStripeTextureDimmedByFog) {
  // The eye is at about (0.3, -0.3, 10): on one wall, looking at the opposite one 20 units away.
  DemoClock = 132;
  DrawShaftScene();
  const auto stripes = SlotColour(TextureSlot::stripes3);
  uint8_t centre[3];
  PixelAt(400, 300, centre);
  EXPECT_NEAR(centre[1], 0.6f * stripes[1], 12);
  EXPECT_NEAR(centre[0], 0.6f * stripes[0], 6);
  EXPECT_NEAR(centre[2], 0.6f * stripes[2], 6);
}
