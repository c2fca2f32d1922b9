// The metaball scene drawn offscreen: the surface in the middle of the tunnel, the camera of each
// variant, the state left behind, and a saved frame to look at.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "director/DemoRandom.h"
#include "director/DemoState.h"
#include "metaballs/MetaballField.h"
#include "metaballs/MetaballScene.h"
#include "metaballs/SurfacePolygoniser.h"
#include "platform/FileBytes.h"
#include "platform/PngImage.h"
#include "platform/Gl.h"
#include "support/GlTest.h"

namespace {
// Diagonal colour bands, so that the sphere map and the cylinder coordinates both show.
GLuint MakeBandTexture(uint8_t r, uint8_t g, uint8_t b) {
  std::vector<uint8_t> rgb(64 * 64 * 3);
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      const bool band = ((x + y) / 8) % 2 == 0;
      uint8_t* pixel = &rgb[(y * 64 + x) * 3];
      pixel[0] = band ? r : r / 4;
      pixel[1] = band ? g : g / 4;
      pixel[2] = band ? b : b / 4;
    }
  }
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 64, 64, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  return name;
}

class MetaballScene : public GlTest {
 protected:
  static void SetUpTestSuite() {
    GlTest::SetUpTestSuite();
    textureTable.names[static_cast<int>(TextureSlot::pcb)] = MakeBandTexture(40, 200, 90);
    textureTable.names[static_cast<int>(TextureSlot::pcb3)] = MakeBandTexture(250, 210, 120);
    sharedQuadric = gluNewQuadric();
    gluQuadricNormals(sharedQuadric, GLU_SMOOTH);
    gluQuadricTexture(sharedQuadric, GL_TRUE);
    ResetDemoRandom();
    for (int i = 0; i < 6 * kRandomPointCount; ++i) DemoRandom();
    InitBallPhases();
  }

  // The state every scene starts from.
  void SetUp() override {
    GlTest::SetUp();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45, 800.0 / 600.0, 1, 100);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glColor3f(1, 1, 1);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }

  static void Modelview(double matrix[16]) { glGetDoublev(GL_MODELVIEW_MATRIX, matrix); }

  // Where the modelview matrix takes a world point, in eye space.
  static void ToEye(const double m[16], const double p[3], double eye[3]) {
    for (int row = 0; row < 3; ++row) eye[row] = m[row] * p[0] + m[4 + row] * p[1] + m[8 + row] * p[2] + m[12 + row];
  }

  // Bright pixels in a square of half-size `radius` around the centre of the frame.
  static int LitPixelsNearCentre(const std::vector<uint8_t>& rgb, int radius) {
    int lit = 0;
    for (int y = 300 - radius; y < 300 + radius; ++y)
      for (int x = 400 - radius; x < 400 + radius; ++x)
        if (rgb[(y * 800 + x) * 3] > 60) ++lit;
    return lit;
  }
};

TEST_F(MetaballScene, SurfaceVariantShowsTheBlobInsideTheTunnelAndSavesTheFrame) {
  DemoClock = 170;
  DrawMetaballScene(1);
  const std::vector<uint8_t> rgb = ReadFrame();
  EXPECT_GT(surfacePolygoniser.vertexCount, 10000);
  EXPECT_GT(LitPixelsNearCentre(rgb, 60), 2000);  // the surface fills the middle of the frame
  // The pcb3 sphere map is gold; the tunnel's pcb is green.
  int gold = 0, green = 0;
  for (size_t i = 0; i < rgb.size(); i += 3) {
    gold += rgb[i] > 150 && rgb[i + 2] < 160;
    green += rgb[i + 1] > 120 && rgb[i] < 80;
  }
  EXPECT_GT(gold, 1000);
  EXPECT_GT(green, 20000);

  PngImage image;
  image.width = 800;
  image.height = 600;
  image.channels = 3;
  image.pixels = rgb;
  std::vector<uint8_t> bytes;
  std::string error;
  ASSERT_TRUE(EncodePng(image, bytes, error)) << error;
  EXPECT_TRUE(WriteFileBytes("metaballs-t170.png", bytes));
}

TEST_F(MetaballScene, SurfaceVariantLooksAtTheOriginFromItsOrbit) {
  DemoClock = 183.25f;
  DrawMetaballScene(1);
  double m[16];
  Modelview(m);
  const double t = DemoClock;
  const double eyeWorld[3] = {9 * std::cos(t), 6 * std::sin(0.25 * t), 9 * std::sin(t)};
  const double origin[3] = {0, 0, 0};
  double eye[3], centre[3];
  ToEye(m, eyeWorld, eye);
  ToEye(m, origin, centre);
  for (double c : eye) EXPECT_NEAR(c, 0, 1e-3);
  const double distance = std::sqrt(eyeWorld[0] * eyeWorld[0] + eyeWorld[1] * eyeWorld[1] + eyeWorld[2] * eyeWorld[2]);
  EXPECT_NEAR(centre[2], -distance, 1e-3);
}

TEST_F(MetaballScene, FigureVariantCameraAt165) {
  DemoClock = 165;
  DrawMetaballScene(0);
  double m[16];
  Modelview(m);
  const double eyeWorld[3] = {10 * std::sin(167.0), 3, 10 * std::cos(167.0)};
  double eye[3];
  ToEye(m, eyeWorld, eye);
  for (double c : eye) EXPECT_NEAR(c, 0, 1e-3);
}

TEST_F(MetaballScene, OtherVariantsDrawOnlyTheTunnelAndKeepTheSurface) {
  DemoClock = 170;
  surfacePolygoniser.vertexCount = 0;
  DrawMetaballScene(2);
  double m[16];
  Modelview(m);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(m[i], i % 5 == 0 ? 1.0 : 0.0) << i;
  EXPECT_EQ(surfacePolygoniser.vertexCount, 0);
  EXPECT_EQ(LitPixelsNearCentre(ReadFrame(), 60), 0);  // looking down the empty tunnel
}

TEST_F(MetaballScene, LeavesTheStateItPromises) {
  for (int variant : {0, 1}) {
    glEnable(GL_FOG);
    glCullFace(GL_FRONT);
    DemoClock = variant == 0 ? 163 : 171;
    DrawMetaballScene(variant);
    EXPECT_FALSE(glIsEnabled(GL_FOG)) << variant;
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D)) << variant;
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S)) << variant;
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_T)) << variant;
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE)) << variant;
    GLint value = 0;
    glGetIntegerv(GL_CULL_FACE_MODE, &value);
    EXPECT_EQ(value, GL_BACK) << variant;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &value);
    EXPECT_EQ(static_cast<GLuint>(value), Texture(TextureSlot::pcb)) << variant;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &value);
    EXPECT_EQ(value, 1) << variant;
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << variant;
  }
}
}  // namespace
