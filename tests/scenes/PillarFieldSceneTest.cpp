// The pillar field: heights, the rising sphere, the state it leaves and its own line width.
#include <algorithm>

#include "OpeningScenesFixture.h"
#include "director/DemoState.h"
#include "scenes/PillarFieldScene.h"
#include "scenes/Scenes.h"

TEST(PillarFieldLayout, HeightsFollowTheFixedWave) {
  for (int k = kPillarFieldFirst; k <= kPillarFieldLast; ++k) {
    EXPECT_FLOAT_EQ(PillarHeight(0, k), 1.3f);
    EXPECT_FLOAT_EQ(PillarHeight(k, 0), 1.3f);
  }
  EXPECT_NEAR(PillarHeight(9, 9), 15.85f, 0.01f);
  float low = 100, high = -100;
  for (int i = kPillarFieldFirst; i <= kPillarFieldLast; ++i)
    for (int j = kPillarFieldFirst; j <= kPillarFieldLast; ++j) {
      low = std::min(low, PillarHeight(i, j));
      high = std::max(high, PillarHeight(i, j));
    }
  EXPECT_NEAR(low, -13.7f, 0.01f);
  EXPECT_NEAR(high, 16.3f, 0.01f);
}

TEST(PillarFieldLayout, SphereRisesThroughTheAimPoint) {
  EXPECT_FLOAT_EQ(RisingSphereHeight(86), 6);
  EXPECT_FLOAT_EQ(RisingSphereHeight(85.5f), 4.75f);
  EXPECT_FLOAT_EQ(RisingSphereHeight(92.5f), 22.25f);
  EXPECT_NEAR(RisingSphereHeight(87.6f), kPillarFieldAim.y, 1e-4);
}

class PillarFieldSceneTest : public OpeningSceneTest {
 protected:
  static int CountEdgePixels() {
    int edges = 0;
    const std::vector<uint8_t> frame = ReadFrame();
    for (size_t i = 0; i < frame.size(); i += 3)
      if (frame[i + 2] > 80 && frame[i + 2] > 2 * frame[i] && frame[i + 2] > 2 * frame[i + 1]) ++edges;
    return edges;
  }
};

TEST_F(PillarFieldSceneTest, LeavesFillModeLineWidthTwoAndTexturingOff) {
  glEnable(GL_FOG);
  DrawFrame(DrawPillarFieldScene, 88);
  EXPECT_FALSE(IsOn(GL_TEXTURE_2D));
  EXPECT_EQ(GetInt(GL_TEXTURE_BINDING_2D), static_cast<GLint>(Texture(TextureSlot::pcb)));
  GLint modes[2];
  glGetIntegerv(GL_POLYGON_MODE, modes);
  EXPECT_EQ(modes[0], GL_FILL);
  EXPECT_EQ(modes[1], GL_FILL);
  EXPECT_EQ(GetInt(GL_LINE_WIDTH), 2);
  GLfloat colour[4];
  glGetFloatv(GL_CURRENT_COLOR, colour);
  EXPECT_EQ(colour[0] + colour[1] + colour[2] + colour[3], 4);
  EXPECT_TRUE(IsOn(GL_FOG));  // not the scene's to touch
  EXPECT_FALSE(IsOn(GL_BLEND));
  EXPECT_EQ(GetInt(GL_MODELVIEW_STACK_DEPTH), 1);
}

// The edges are drawn with the width the previous frame's sphere left: thin on the first frame,
// wider from the second on.
TEST_F(PillarFieldSceneTest, EdgesThickenFromTheSecondFrame) {
  DrawFrame(DrawPillarFieldScene, 89);
  const int firstFrameEdges = CountEdgePixels();
  DrawFrame(DrawPillarFieldScene, 89);
  const int secondFrameEdges = CountEdgePixels();
  EXPECT_GT(firstFrameEdges, 2000);
  EXPECT_GT(secondFrameEdges, firstFrameEdges * 5 / 4);
}

TEST_F(PillarFieldSceneTest, SphereSitsInTheMiddleWhenItCrossesTheAimHeight) {
  DrawFrame(DrawPillarFieldScene, 87.6f);
  uint8_t centre[3];
  PixelAt(400, 300, centre);
  // pcb placeholder: grey checker, either tone.
  EXPECT_GT(centre[0], 60);
  EXPECT_NEAR(centre[0], centre[1], 2);
  EXPECT_NEAR(centre[0], centre[2], 2);
}
