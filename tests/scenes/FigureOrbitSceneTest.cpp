// The figure orbit scene: the fade and spread paths, the state it leaves and what it shows.
#include "OpeningScenesFixture.h"
#include "director/DemoState.h"
#include "scenes/FigureOrbitScene.h"
#include "scenes/Scenes.h"

TEST(FigureOrbitPaths, FigureFadesInFrom122To124) {
  EXPECT_EQ(FigureBrightness(116.01f), 0);
  EXPECT_EQ(FigureBrightness(122), 0);
  EXPECT_EQ(FigureBrightness(123), 127);
  EXPECT_EQ(FigureBrightness(124), 255);
  EXPECT_EQ(FigureBrightness(129.99f), 255);
}

TEST(FigureOrbitPaths, SpheresCloseInToSevenAndAHalfUnitsBy124) {
  EXPECT_NEAR(SphereOrbitRadius(116.01f) * kFigureOrbitScale, 26.5f, 0.05f);
  for (const float t : {124.0f, 127.0f, 129.99f}) {
    EXPECT_NEAR(SphereOrbitRadius(t), 25, 1e-3) << t;
    EXPECT_NEAR(SphereOrbitRadius(t) * kFigureOrbitScale, 7.5f, 1e-3) << t;
  }
}

class FigureOrbitSceneTest : public OpeningSceneTest {};

TEST_F(FigureOrbitSceneTest, LeavesEnvironmentTextureBoundAndCullingGenerationOff) {
  for (const float t : {118.0f, 126.0f}) {  // figure black, then fully bright
    DrawFrame(DrawFigureOrbitScene, t);
    EXPECT_TRUE(IsOn(GL_TEXTURE_2D));
    EXPECT_EQ(GetInt(GL_TEXTURE_BINDING_2D), static_cast<GLint>(Texture(TextureSlot::envifoo)));
    EXPECT_FALSE(IsOn(GL_TEXTURE_GEN_S));
    EXPECT_FALSE(IsOn(GL_TEXTURE_GEN_T));
    EXPECT_FALSE(IsOn(GL_CULL_FACE));
    EXPECT_FALSE(IsOn(GL_FOG));
    EXPECT_FALSE(IsOn(GL_BLEND));
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(colour[0] + colour[1] + colour[2] + colour[3], 4) << t;
    EXPECT_EQ(GetInt(GL_MODELVIEW_STACK_DEPTH), 1);
  }
}

TEST_F(FigureOrbitSceneTest, ShowsTheStarBoxAndTheTwoSpheres) {
  DrawFrame(DrawFigureOrbitScene, 125);
  const std::vector<uint8_t> frame = ReadFrame();
  int stars = 0, sphere = 0;
  for (size_t i = 0; i < frame.size(); i += 3) {
    const int r = frame[i], g = frame[i + 1], b = frame[i + 2];
    if (g > 100 && g > r + 50 && g > b + 50) ++stars;                  // stars placeholder: green dots
    if (r > 60 && std::abs(r - g) < 3 && std::abs(r - b) < 3) ++sphere;  // envifoo placeholder: grey
  }
  EXPECT_GT(stars, 1000);
  EXPECT_GT(sphere, 2000);
}
