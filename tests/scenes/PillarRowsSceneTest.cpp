// The pillar rows: scroll and exit paths, the variants' cameras, and the state each leaves.
#include <cmath>

#include "ShaftToFinaleFixture.h"
#include "scenes/PillarRowsScene.h"
#include "scenes/Scenes.h"

TEST(PillarRowsSceneMath, ScrollEasesAcrossTheSceneWithoutReachingItsLastKey) {
  EXPECT_NEAR(PillarRowsScroll(209), 49.8f, 0.05f);
  EXPECT_NEAR(PillarRowsScroll(236), 524, 0.5f);
  EXPECT_LT(PillarRowsScroll(236), 640);
  EXPECT_LT(PillarRowsScroll(222), PillarRowsScroll(222.1f));
}

TEST(PillarRowsSceneMath, ExitHoldsUntil234AndReachesFortyAt236) {
  EXPECT_EQ(PillarRowsExit(209), 0);
  EXPECT_EQ(PillarRowsExit(234), 0);
  EXPECT_NEAR(PillarRowsExit(235), 20, 0.01f);
  EXPECT_NEAR(PillarRowsExit(236), 40, 1e-4f);
}

TEST(PillarRowsSceneMath, ObliqueEyesSwayOppositeWaysAndOtherVariantsSetNone) {
  Point3 one, two;
  ASSERT_TRUE(PillarRowsEye(1, 219, one));
  ASSERT_TRUE(PillarRowsEye(2, 219, two));
  EXPECT_EQ(one.x, -two.x);
  EXPECT_NEAR(one.z + two.z, 20, 1e-4f);
  Point3 untouched{7, 8, 9};
  EXPECT_FALSE(PillarRowsEye(4, 230, untouched));
  EXPECT_FALSE(PillarRowsEye(-1, 230, untouched));
  EXPECT_EQ(untouched.x, 7);
}

TEST_F(ShaftToFinaleTest, PillarRowsVariantsLeaveTheirStateAndKeepTheFogRange) {
  const float moments[4] = {212, 219, 225, 232};
  for (int variant = 0; variant < 4; ++variant) {
    SCOPED_TRACE(variant);
    glFogf(GL_FOG_END, 80);  // as after a seek back from the finale
    DemoClock = moments[variant];
    DrawPillarRowsScene(variant);
    EXPECT_FALSE(Enabled(GL_FOG));
    EXPECT_EQ(FogValue(GL_FOG_END), 80);
    GLfloat lineWidth = 0;
    glGetFloatv(GL_LINE_WIDTH, &lineWidth);
    EXPECT_EQ(lineWidth, 1);
    EXPECT_EQ(CurrentColour(), (std::array<GLfloat, 4>{1, 1, 1, 1}));
    const bool sphere = variant % 2 == 1;
    EXPECT_EQ(Enabled(GL_TEXTURE_2D), sphere);
    EXPECT_EQ(BoundTexture(), Texture(sphere ? TextureSlot::pcb2 : TextureSlot::metal));
    Point3 eye;
    PillarRowsEye(variant, moments[variant], eye);
    ExpectMatrixNear(Modelview(), LookAt(eye, {}));
    ExpectCommonLeftovers();
    glDisable(GL_TEXTURE_2D);
  }
}

TEST_F(ShaftToFinaleTest, PillarRowsShowBlueEdgesAndTheSphereLeavesAtTheEnd) {
  DemoClock = 230;
  DrawPillarRowsScene(3);
  const std::vector<uint8_t> frame = ReadFrame();
  int blueEdge = 0;
  for (size_t k = 0; k < frame.size(); k += 3) {
    if (frame[k + 2] > 60 && frame[k + 2] > 2 * frame[k]) ++blueEdge;
  }
  EXPECT_GT(blueEdge, 2000);
  uint8_t centre[3];
  PixelAt(400, 300, centre);
  EXPECT_GT(centre[0], 30) << "the sphere at the origin";

  SetUp();
  DemoClock = 235.99f;
  DrawPillarRowsScene(3);
  PixelAt(400, 300, centre);
  EXPECT_LT(centre[0], 3) << "the sphere is 50 units down the corridor, lost in the fog";
}
