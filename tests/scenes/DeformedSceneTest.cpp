// The deformed model scene: camera inside the box, and the state it leaves.
#include <cmath>

#include "ShaftToFinaleFixture.h"
#include "scenes/DeformedScene.h"
#include "scenes/Scenes.h"

TEST(DeformedSceneMath, EyeCirclesInsideTheBox) {
  for (float t = 143; t < 156; t += 0.37f) {
    const Point3 eye = DeformedEye(t);
    EXPECT_NEAR(std::hypot(eye.x, eye.z - 4.8f), 20, 1e-4f) << t;
    EXPECT_LE(std::fabs(eye.x), 25) << t;
    EXPECT_LE(std::fabs(eye.y), 25) << t;
    EXPECT_LE(std::fabs(eye.z), 25) << t;
  }
}

TEST_F(ShaftToFinaleTest, DeformedSwitchesFogOffAndKeepsTheModelScale) {
  glEnable(GL_FOG);  // as a seek from a fogged scene would leave it
  DemoClock = 150;
  DrawDeformedScene();
  EXPECT_FALSE(Enabled(GL_FOG));
  EXPECT_TRUE(Enabled(GL_TEXTURE_2D));
  EXPECT_EQ(BoundTexture(), Texture(TextureSlot::pcb3));
  glPushMatrix();
  glLoadMatrixf(LookAt(DeformedEye(150), {}).data());
  glScalef(1.5f, 1.5f, 1.5f);
  const GlMatrix expected = Modelview();
  glPopMatrix();
  ExpectMatrixNear(Modelview(), expected);
  ExpectCommonLeftovers();
}

TEST_F(ShaftToFinaleTest, DeformedBoxFillsTheViewUnfogged) {
  glEnable(GL_FOG);
  DemoClock = 150;
  DrawDeformedScene();
  const auto board = SlotColour(TextureSlot::pcb3);
  const int probes[3][2] = {{2, 2}, {400, 300}, {797, 597}};
  for (const auto& probe : probes) {
    uint8_t pixel[3];
    PixelAt(probe[0], probe[1], pixel);
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(pixel[c], board[c], 1) << probe[0] << "," << probe[1];
  }
}
