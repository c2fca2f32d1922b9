// The planet scene: its orbiting camera, the state it leaves and what it shows.
#include <cmath>

#include "OpeningScenesFixture.h"
#include "director/DemoState.h"
#include "scenes/PlanetScene.h"
#include "scenes/Scenes.h"

TEST(PlanetSceneCamera, CirclesOffCentreAndStartsOnTheZAxis) {
  const Point3 start = PlanetEye(0);
  EXPECT_FLOAT_EQ(start.x, 0);
  EXPECT_FLOAT_EQ(start.y, 0);
  EXPECT_FLOAT_EQ(start.z, 13.3f);
  const Point3 quarter = PlanetEye(15.708f);
  EXPECT_NEAR(quarter.x, 8.5f, 1e-4);
  EXPECT_NEAR(quarter.z, 4.8f, 1e-4);
  const Point3 half = PlanetEye(31.4159f);  // nearest the planet
  EXPECT_NEAR(std::hypot(half.x, half.z), 3.7f, 1e-4);
}

class PlanetSceneTest : public OpeningSceneTest {};

TEST_F(PlanetSceneTest, LeavesBubbleTextureAdditiveBlendOffAndFogAsItFoundIt) {
  for (const bool fogBefore : {false, true}) {
    if (fogBefore) glEnable(GL_FOG);
    DrawFrame(DrawPlanetScene, 12);
    EXPECT_TRUE(IsOn(GL_TEXTURE_2D));
    EXPECT_EQ(GetInt(GL_TEXTURE_BINDING_2D), static_cast<GLint>(Texture(TextureSlot::bubble)));
    EXPECT_FALSE(IsOn(GL_BLEND));
    EXPECT_EQ(GetInt(GL_BLEND_SRC), GL_SRC_ALPHA);
    EXPECT_EQ(GetInt(GL_BLEND_DST), GL_ONE);
    EXPECT_TRUE(IsOn(GL_DEPTH_TEST));
    EXPECT_EQ(IsOn(GL_FOG), fogBefore);
    EXPECT_FALSE(IsOn(GL_TEXTURE_GEN_S));
    EXPECT_EQ(GetInt(GL_MODELVIEW_STACK_DEPTH), 1);
  }
}

TEST_F(PlanetSceneTest, LeavesTheCameraWithThePlanetFrameTurnedUpright) {
  DrawFrame(DrawPlanetScene, 0);
  // The planet frame's +y is world +z, which at t = 0 points straight at the eye.
  const float origin[3] = {0, 0, 0}, up[3] = {0, 1, 0};
  float eyeOrigin[3], eyeUp[3];
  ModelviewApply(origin, eyeOrigin);
  ModelviewApply(up, eyeUp);
  EXPECT_NEAR(eyeOrigin[2], -13.3f, 1e-4);
  EXPECT_NEAR(eyeUp[0], 0, 1e-4);
  EXPECT_NEAR(eyeUp[1], 0, 1e-4);
  EXPECT_NEAR(eyeUp[2], -12.3f, 1e-4);
}

TEST_F(PlanetSceneTest, ShowsThePlanetInTheMiddleAmongStarsAndBubbles) {
  DrawFrame(DrawPlanetScene, 0);
  uint8_t centre[3];
  PixelAt(400, 300, centre);
  // Planet placeholder: magenta checker, either tone.
  EXPECT_GT(centre[0], 80);
  EXPECT_LT(centre[1], centre[0]);
  EXPECT_NEAR(centre[0], centre[2], 2);
  const std::vector<uint8_t> frame = ReadFrame();
  EXPECT_GT(CountLitPixels(frame), 800 * 600 / 50);
  EXPECT_LT(CountLitPixels(frame), 800 * 600 / 2);
}
