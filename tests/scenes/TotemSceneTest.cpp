// The totem scene: camera, laser steps and blast, the fog and colour it leaves, its ground.
#include <cmath>
#include <set>

#include "OpeningScenesFixture.h"
#include "director/DemoState.h"
#include "scenes/Scenes.h"
#include "scenes/TotemScene.h"

TEST(TotemSceneCamera, RisesWhileCirclingAndStaysAtTheIdentityAtExactly115) {
  EXPECT_FLOAT_EQ(TotemCameraAt(103).eye.y, 3);
  EXPECT_NEAR(TotemCameraAt(116).eye.y, 5.6f, 1e-5);
  for (const float t : {103.5f, 110.0f, 115.5f}) {
    const TotemCamera camera = TotemCameraAt(t);
    EXPECT_TRUE(camera.applied);
    EXPECT_NEAR(std::hypot(camera.eye.x, camera.eye.z), 10, 1e-4);
  }
  const TotemCamera steady = TotemCameraAt(114.99f);
  EXPECT_EQ(steady.centre.x, 0);
  EXPECT_EQ(steady.centre.z, 0);
  const TotemCamera shaking = TotemCameraAt(115.01f);
  EXPECT_NE(shaking.centre.x, 0);
  EXPECT_LE(std::fabs(shaking.centre.x), 0.25f);
  EXPECT_LE(std::fabs(shaking.centre.z), 0.5f);
  EXPECT_FALSE(TotemCameraAt(115).applied);
}

TEST(TotemSceneLasers, FarEndsStepThroughFiveHeights) {
  EXPECT_FLOAT_EQ(LaserFarEndHeight(1), 1.9f);
  EXPECT_FLOAT_EQ(LaserFarEndHeight(0.72), 1.9f);
  EXPECT_FLOAT_EQ(LaserFarEndHeight(0.7), 0.9f);
  EXPECT_FLOAT_EQ(LaserFarEndHeight(0.36), 0.9f);
  EXPECT_FLOAT_EQ(LaserFarEndHeight(0.35), -0.1f);
  EXPECT_FLOAT_EQ(LaserFarEndHeight(-0.35), -0.1f);  // toward zero, not down
  EXPECT_FLOAT_EQ(LaserFarEndHeight(-0.36), -1.1f);
  EXPECT_FLOAT_EQ(LaserFarEndHeight(-0.72), -2.1f);
  std::set<float> heights;
  for (float t = 109; t < 115; t += 0.01f)
    for (int beam = 0; beam < kTotemLaserCount; ++beam) heights.insert(TotemLaserAt(beam, t, 0).farEnd.y);
  EXPECT_EQ(heights, (std::set<float>{-2.1f, -1.1f, -0.1f, 0.9f, 1.9f}));
}

TEST(TotemSceneLasers, ALoudBand6HidesEveryBeam) {
  for (float t = 109; t < 115; t += 0.05f)
    for (int beam = 0; beam < kTotemLaserCount; ++beam) EXPECT_LE(TotemLaserAt(beam, t, 2.6f).alpha, 1e-6f);
}

TEST(TotemSceneBlast, GrowsFromTheBallsSizeToNineteen) {
  EXPECT_FLOAT_EQ(BlastRadius(115), 1);
  EXPECT_NEAR(BlastRadius(116), 19, 1e-4);
}

class TotemSceneTest : public OpeningSceneTest {
 protected:
  static int CountLaserPixels() {
    int red = 0;
    const std::vector<uint8_t> frame = ReadFrame();
    for (size_t i = 0; i < frame.size(); i += 3)
      if (frame[i] > 60 && frame[i] > 2 * frame[i + 1] + 30 && frame[i] > 2 * frame[i + 2] + 30) ++red;
    return red;
  }
  static void ExpectColour(float r, float g, float b, float a) {
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_NEAR(colour[0], r, 1e-5);
    EXPECT_NEAR(colour[1], g, 1e-5);
    EXPECT_NEAR(colour[2], b, 1e-5);
    EXPECT_NEAR(colour[3], a, 1e-5);
  }
};

TEST_F(TotemSceneTest, LeavesFogOnUntilTheBlastAndTexturingAndBlendingOff) {
  for (const float t : {105.0f, 115.0f}) {
    DrawFrame(DrawTotemScene, t);
    EXPECT_TRUE(IsOn(GL_FOG)) << t;
    EXPECT_FALSE(IsOn(GL_TEXTURE_2D)) << t;
    EXPECT_FALSE(IsOn(GL_BLEND)) << t;
    EXPECT_EQ(GetInt(GL_LINE_WIDTH), 1) << t;
    ExpectColour(1, 1, 1, 1);
    EXPECT_EQ(GetInt(GL_MODELVIEW_STACK_DEPTH), 1);
  }
  DrawFrame(DrawTotemScene, 115.5f);
  EXPECT_FALSE(IsOn(GL_FOG));
  EXPECT_FALSE(IsOn(GL_TEXTURE_2D));
  EXPECT_FALSE(IsOn(GL_BLEND));
  ExpectColour(1, 1, 1, 1);
}

TEST_F(TotemSceneTest, LeavesTheLastBeamsColourDuringTheLasers) {
  float t = 110;
  while (TotemLaserAt(3, t, 0).alpha < 0.2f || TotemLaserAt(3, t, 0).alpha > 0.8f) t += 0.01f;
  DrawFrame(DrawTotemScene, t);
  ExpectColour(1, 0, 0, TotemLaserAt(3, t, 0).alpha);
  EXPECT_EQ(GetInt(GL_LINE_WIDTH), 1);
  EXPECT_FALSE(IsOn(GL_BLEND));
  EXPECT_TRUE(IsOn(GL_FOG));
}

TEST_F(TotemSceneTest, LeavesTheIdentityCameraAtExactly115) {
  DrawFrame(DrawTotemScene, 115);
  GLfloat m[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  for (int k = 0; k < 16; ++k) EXPECT_EQ(m[k], (k % 5 == 0) ? 1.0f : 0.0f) << k;
}

TEST_F(TotemSceneTest, LasersShowOnlyInTheirWindowAndFadeWithBand6) {
  float t = 110;
  while (TotemLaserAt(0, t, 0).alpha < 1.5f) t += 0.01f;
  DrawFrame(DrawTotemScene, t);
  EXPECT_GT(CountLaserPixels(), 300);
  SpectrumBands[6] = 3;
  DrawFrame(DrawTotemScene, t);
  EXPECT_EQ(CountLaserPixels(), 0);
  SpectrumBands[6] = 0;
  DrawFrame(DrawTotemScene, 108.9f);
  EXPECT_EQ(CountLaserPixels(), 0);
}

// Fog is per vertex on common drivers: the ground must not turn black when all its corners lie
// beyond the fog end, from anywhere on the camera's circle.
TEST_F(TotemSceneTest, GroundStaysVisibleUnderFogAllRoundTheCircle) {
  for (float t = 103.25f; t < 115; t += 0.5f) {
    DrawFrame(DrawTotemScene, t);
    uint8_t ground[3];
    PixelAt(400, 595, ground);
    EXPECT_GT(std::max({ground[0], ground[1], ground[2]}), 40) << "t = " << t;
  }
}
