// The dolphin scene: where the dolphins are in both windows, the state it leaves, its planes.
#include "OpeningScenesFixture.h"
#include "director/DemoState.h"
#include "scenes/DolphinScene.h"
#include "scenes/Scenes.h"

TEST(DolphinScenePoses, GlideInDuringTheFirstWindowThenHold) {
  EXPECT_NEAR(DolphinPathsAt(61.51f).entry, -19.5f, 0.05f);
  EXPECT_NEAR(DolphinPoseAt(0, 61.51f).position.x, 19.5f, 0.05f);
  EXPECT_NEAR(DolphinPoseAt(1, 61.51f).position.x, 32.5f, 0.05f);
  EXPECT_NEAR(DolphinPoseAt(2, 61.51f).position.x, 32.5f, 0.05f);
  for (const float t : {66.0f, 75.0f, 85.49f}) {
    const DolphinPathOffsets p = DolphinPathsAt(t);
    EXPECT_NEAR(p.entry, 0, 1e-3) << t;
    EXPECT_EQ(p.dart, 0) << t;
    EXPECT_EQ(p.leaveSecond, 0) << t;
    EXPECT_EQ(p.leaveThird, 0) << t;
    EXPECT_NEAR(DolphinPoseAt(0, t).position.x, 0, 1e-3);
    EXPECT_NEAR(DolphinPoseAt(1, t).position.x, 13, 1e-3);
    EXPECT_NEAR(DolphinPoseAt(2, t).position.x, 13, 1e-3);
  }
}

TEST(DolphinScenePoses, LeaveOneAfterAnotherInTheSecondWindow) {
  EXPECT_NEAR(DolphinPoseAt(2, 92.5f).position.x, 13, 1e-3);
  EXPECT_NEAR(DolphinPoseAt(2, 102.5f).position.x, -27, 1e-3);
  EXPECT_NEAR(DolphinPoseAt(1, 94.5f).position.x, 13, 1e-3);
  EXPECT_NEAR(DolphinPoseAt(1, 103).position.x, -24.8f, 0.05f);
  EXPECT_NEAR(DolphinPoseAt(0, 101).position.x, 8, 1e-3);
  EXPECT_NEAR(DolphinPoseAt(0, 102).position.x, 9, 1e-3);
  EXPECT_NEAR(DolphinPoseAt(0, 103).position.x, -20.5f, 1e-3);
}

class DolphinSceneTest : public OpeningSceneTest {};

TEST_F(DolphinSceneTest, LeavesFogAndGenerationOffWithTheFloorTextureBound) {
  glFogf(GL_FOG_END, 80);  // a later scene's range, seen after a seek back
  DrawFrame(DrawDolphinScene, 70);
  EXPECT_TRUE(IsOn(GL_TEXTURE_2D));
  EXPECT_EQ(GetInt(GL_TEXTURE_BINDING_2D), static_cast<GLint>(Texture(TextureSlot::check2)));
  EXPECT_FALSE(IsOn(GL_FOG));
  EXPECT_FALSE(IsOn(GL_TEXTURE_GEN_S));
  EXPECT_FALSE(IsOn(GL_TEXTURE_GEN_T));
  EXPECT_FALSE(IsOn(GL_BLEND));
  GLfloat fogEnd = 0, colour[4];
  glGetFloatv(GL_FOG_END, &fogEnd);
  EXPECT_EQ(fogEnd, 80);
  glGetFloatv(GL_CURRENT_COLOR, colour);
  EXPECT_EQ(colour[0] + colour[1] + colour[2] + colour[3], 4);
  EXPECT_EQ(GetInt(GL_MODELVIEW_STACK_DEPTH), 1);
}

// Fog is per vertex on common drivers: the planes must not turn black when every corner of
// them lies beyond the fog end, whichever way the camera has swung.
TEST_F(DolphinSceneTest, FloorAndCeilingStayVisibleUnderFogAtEverySwing) {
  for (float t = 62; t < 103; t += 1.5f) {
    if (t > 85.5f && t < 92.5f) continue;
    DrawFrame(DrawDolphinScene, t);
    uint8_t floor[3], ceiling[3];
    PixelAt(400, 590, floor);
    PixelAt(400, 10, ceiling);
    EXPECT_GT(floor[0], 40) << "floor at t = " << t;
    EXPECT_GT(ceiling[0], 40) << "ceiling at t = " << t;
  }
}
