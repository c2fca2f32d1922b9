// The fixture for the scenes of 130 s onwards.
#include "ShaftToFinaleFixture.h"

namespace {
GLuint slotTextures[kTextureCount] = {};

void MakeSlotTextures() {
  if (slotTextures[0] != 0) return;
  glGenTextures(kTextureCount, slotTextures);
  for (int slot = 0; slot < kTextureCount; ++slot) {
    const auto colour = ShaftToFinaleTest::SlotColour(static_cast<TextureSlot>(slot));
    uint8_t texels[4 * 3];
    for (int texel = 0; texel < 4; ++texel) {
      for (int c = 0; c < 3; ++c) texels[texel * 3 + c] = colour[c];
    }
    glBindTexture(GL_TEXTURE_2D, slotTextures[slot]);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 2, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, texels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  }
  glBindTexture(GL_TEXTURE_2D, 0);
}

// The state every scene is entered with, plus the start-up fog and generation modes.
void SetEntryState() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45, 800.0 / 600.0, 1, 100);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glViewport(0, 0, 800, 600);
  glShadeModel(GL_SMOOTH);
  glClearColor(0, 0, 0, 0);
  glClearDepth(1);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glDisable(GL_BLEND);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_CULL_FACE);
  glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
  glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
  glDisable(GL_TEXTURE_GEN_S);
  glDisable(GL_TEXTURE_GEN_T);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glHint(GL_FOG_HINT, GL_NICEST);
  glFogi(GL_FOG_MODE, GL_LINEAR);
  const GLfloat black[4] = {0, 0, 0, 1};
  glFogfv(GL_FOG_COLOR, black);
  glFogf(GL_FOG_START, 0);
  glFogf(GL_FOG_END, 25);
  glDisable(GL_FOG);
  glLineWidth(1);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glBlendFunc(GL_ONE, GL_ZERO);
  glColor4f(1, 1, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}
}  // namespace

void ShaftToFinaleTest::SetUp() {
  GlTest::SetUp();
  MakeSlotTextures();
  for (int slot = 0; slot < kTextureCount; ++slot) textureTable.names[slot] = slotTextures[slot];
  if (!sharedQuadric) {
    sharedQuadric = gluNewQuadric();
    gluQuadricNormals(sharedQuadric, GLU_SMOOTH);
    gluQuadricTexture(sharedQuadric, GL_TRUE);
  }
  for (float& band : SpectrumBands) band = 0;
  SetEntryState();
}

std::array<uint8_t, 3> ShaftToFinaleTest::SlotColour(TextureSlot slot) {
  switch (slot) {
    case TextureSlot::stripes3: return {40, 220, 40};
    case TextureSlot::pcb3: return {40, 40, 220};
    case TextureSlot::gromeyes: return {128, 128, 128};
    case TextureSlot::stripes: return {220, 120, 0};
    case TextureSlot::check2: return {200, 0, 200};
    default: {
      const int k = static_cast<int>(slot);
      return {static_cast<uint8_t>(30 + 9 * k), static_cast<uint8_t>(200 - 7 * k), static_cast<uint8_t>(90)};
    }
  }
}

bool ShaftToFinaleTest::Enabled(GLenum capability) { return glIsEnabled(capability) == GL_TRUE; }

GLuint ShaftToFinaleTest::BoundTexture() {
  GLint name = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &name);
  return static_cast<GLuint>(name);
}

GLfloat ShaftToFinaleTest::FogValue(GLenum parameter) {
  GLfloat value = 0;
  glGetFloatv(parameter, &value);
  return value;
}

std::array<GLfloat, 4> ShaftToFinaleTest::CurrentColour() {
  std::array<GLfloat, 4> colour{};
  glGetFloatv(GL_CURRENT_COLOR, colour.data());
  return colour;
}

GlMatrix ShaftToFinaleTest::Modelview() {
  GlMatrix m{};
  glGetFloatv(GL_MODELVIEW_MATRIX, m.data());
  return m;
}

GlMatrix ShaftToFinaleTest::LookAt(Point3 eye, Point3 centre) {
  glPushMatrix();
  glLoadIdentity();
  gluLookAt(eye.x, eye.y, eye.z, centre.x, centre.y, centre.z, 0, 1, 0);
  const GlMatrix m = Modelview();
  glPopMatrix();
  return m;
}

void ShaftToFinaleTest::ExpectMatrixNear(const GlMatrix& actual, const GlMatrix& expected) {
  for (int k = 0; k < 16; ++k) EXPECT_NEAR(actual[k], expected[k], 1e-4f) << "matrix element " << k;
}

void ShaftToFinaleTest::ExpectCommonLeftovers() {
  EXPECT_FALSE(Enabled(GL_TEXTURE_GEN_S));
  EXPECT_FALSE(Enabled(GL_TEXTURE_GEN_T));
  GLint polygonMode[2] = {};
  glGetIntegerv(GL_POLYGON_MODE, polygonMode);
  EXPECT_EQ(polygonMode[0], GL_FILL);
  EXPECT_EQ(polygonMode[1], GL_FILL);
  GLint matrixMode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &matrixMode);
  EXPECT_EQ(matrixMode, GL_MODELVIEW);
  GLint depth = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
  EXPECT_EQ(depth, 1);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
