// Sprites and the box, drawn with a 2 x 2 texture whose texels tell the corners apart:
// (0, 0) red, (1, 0) green, (0, 1) blue, (1, 1) white.
#include "RenderProbe.h"
#include "render/Box.h"
#include "render/Sprite.h"
#include "support/GlTest.h"

namespace {
enum class Seen { black, red, green, blue, white, other };

class SpriteBoxTest : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    ResetSceneState();
    texture = MakeTexture(2, 2, {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255});
    glEnable(GL_TEXTURE_2D);
  }
  void TearDown() override {
    glDisable(GL_TEXTURE_2D);
    glDeleteTextures(1, &texture);
  }
  static Seen At(int x, int y) {
    uint8_t p[3];
    PixelAt(x, y, p);
    if (p[0] == 0 && p[1] == 0 && p[2] == 0) return Seen::black;
    if (p[0] == 255 && p[1] == 0 && p[2] == 0) return Seen::red;
    if (p[0] == 0 && p[1] == 255 && p[2] == 0) return Seen::green;
    if (p[0] == 0 && p[1] == 0 && p[2] == 255) return Seen::blue;
    if (p[0] == 255 && p[1] == 255 && p[2] == 255) return Seen::white;
    return Seen::other;
  }
  static void ExpectUnchanged(const GlStateSnapshot& before) {
    const GlStateSnapshot after = CaptureGlState();
    for (int i = 0; i < 4; ++i) EXPECT_EQ(after.colour[i], before.colour[i]);
    EXPECT_EQ(after.blend, before.blend);
    EXPECT_EQ(after.texture2d, before.texture2d);
    EXPECT_EQ(after.binding2d, before.binding2d);
    EXPECT_EQ(after.depthTest, before.depthTest);
    EXPECT_EQ(after.modelviewDepth, before.modelviewDepth);
    EXPECT_EQ(after.projectionDepth, before.projectionDepth);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  }
  GLuint texture = 0;
};

TEST_F(SpriteBoxTest, FrontFaceShowsTheTextureUprightFromOutside) {
  gluLookAt(0, 0, 5, 0, 0, 0, 0, 1, 0);
  const GlStateSnapshot before = CaptureGlState();
  DrawBox();
  ExpectUnchanged(before);
  EXPECT_EQ(At(310, 390), Seen::red);  // lower left
  EXPECT_EQ(At(490, 390), Seen::green);
  EXPECT_EQ(At(310, 210), Seen::blue);
  EXPECT_EQ(At(490, 210), Seen::white);
  EXPECT_EQ(At(400, 50), Seen::black);
}

TEST_F(SpriteBoxTest, EveryFaceIsWoundCounterClockwiseFromOutside) {
  glEnable(GL_CULL_FACE);
  const GLdouble axes[6][3] = {{0, 0, 1}, {0, 0, -1}, {0, 1, 0}, {0, -1, 0}, {1, 0, 0}, {-1, 0, 0}};
  for (const auto& axis : axes) {
    SCOPED_TRACE(testing::Message() << axis[0] << " " << axis[1] << " " << axis[2]);
    const GLdouble upZ = axis[1] != 0 ? 1 : 0;
    const GLdouble upY = 1 - upZ;
    // From outside the face towards the camera is a front face; from inside all are back faces.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    gluLookAt(axis[0] * 5, axis[1] * 5, axis[2] * 5, 0, 0, 0, 0, upY, upZ);
    DrawBox();
    EXPECT_NE(At(400, 300), Seen::black);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    gluLookAt(0, 0, 0, axis[0], axis[1], axis[2], 0, upY, upZ);
    glScalef(5, 5, 5);
    DrawBox();
    EXPECT_EQ(At(400, 300), Seen::black);
  }
  glDisable(GL_CULL_FACE);
}

TEST_F(SpriteBoxTest, SpriteFacesTheScreenInARotatedFrame) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-10, 10, -7.5, 7.5, -100, 100);  // 40 pixels per unit
  glMatrixMode(GL_MODELVIEW);
  glRotatef(90, 1, 0, 0);
  glRotatef(30, 0, 1, 0);
  glTranslatef(0.5f, -1, 2);
  GLdouble mv[16], pr[16], wx, wy, wz;
  GLint viewport[4];
  glGetDoublev(GL_MODELVIEW_MATRIX, mv);
  glGetDoublev(GL_PROJECTION_MATRIX, pr);
  glGetIntegerv(GL_VIEWPORT, viewport);
  gluProject(1, 2, 3, mv, pr, viewport, &wx, &wy, &wz);
  const int cx = int(wx), cy = 599 - int(wy);
  const GlStateSnapshot before = CaptureGlState();
  DrawSprite(Point3{1, 2, 3}, 1);
  ExpectUnchanged(before);
  // A square of side 80 pixels, parallel to the screen, (0, 0) at the lower left.
  EXPECT_EQ(At(cx - 30, cy + 30), Seen::red);
  EXPECT_EQ(At(cx + 30, cy + 30), Seen::green);
  EXPECT_EQ(At(cx - 30, cy - 30), Seen::blue);
  EXPECT_EQ(At(cx + 30, cy - 30), Seen::white);
  EXPECT_EQ(At(cx - 38, cy - 10), Seen::blue);
  EXPECT_EQ(At(cx - 42, cy), Seen::black);
  EXPECT_EQ(At(cx, cy + 42), Seen::black);
  EXPECT_EQ(At(cx + 42, cy - 20), Seen::black);
}

TEST_F(SpriteBoxTest, SpriteUnderUniformScaleGrowsWithTheSquareOfTheScale) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-10, 10, -7.5, 7.5, -100, 100);
  glMatrixMode(GL_MODELVIEW);
  glScalef(2, 2, 2);
  DrawSprite(Point3{0, 0, 0}, 0.5f);  // half-extent 2 x 2 x 0.5 = 2 units = 80 pixels
  EXPECT_EQ(At(400 - 78, 290), Seen::blue);
  EXPECT_EQ(At(400 - 82, 300), Seen::black);
  EXPECT_EQ(At(400 + 78, 300 + 10), Seen::green);
  EXPECT_EQ(At(400 + 82, 300), Seen::black);
}
}  // namespace
