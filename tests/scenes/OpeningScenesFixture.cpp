// Start-up state and placeholder textures for the opening scenes' tests.
#include "OpeningScenesFixture.h"

#include <cstdio>

#include "director/DemoRandom.h"
#include "director/DemoState.h"
#include "platform/PngImage.h"

namespace {
GLuint placeholderTextures[kTextureCount] = {};
GLUquadric* testQuadric = nullptr;

constexpr int kTextureSize = 64;

// A distinct hue per slot, so a bound or drawn texture can be told apart in a picture.
void SlotColour(int slot, uint8_t rgb[3]) {
  static const uint8_t kHues[6][3] = {{230, 180, 60}, {60, 200, 90}, {200, 90, 200},
                                      {80, 160, 230}, {230, 120, 60}, {170, 170, 170}};
  for (int c = 0; c < 3; ++c) rgb[c] = kHues[slot % 6][c];
}

// Checker for most slots; sparse dots for the stars, a soft disc for the bubble.
void FillPlaceholder(int slot, std::vector<uint8_t>& rgba) {
  uint8_t hue[3];
  SlotColour(slot, hue);
  rgba.assign(kTextureSize * kTextureSize * 4, 0);
  for (int y = 0; y < kTextureSize; ++y)
    for (int x = 0; x < kTextureSize; ++x) {
      uint8_t* p = &rgba[(y * kTextureSize + x) * 4];
      float level = ((x / 8 + y / 8) % 2) ? 1.0f : 0.45f;
      uint8_t alpha = 255;
      if (slot == static_cast<int>(TextureSlot::stars)) {
        level = ((x * 7 + y * 13) % 29 == 0) ? 1.0f : 0.0f;
      } else if (slot == static_cast<int>(TextureSlot::bubble)) {
        const float dx = (x - 31.5f) / 32, dy = (y - 31.5f) / 32;
        const float r2 = dx * dx + dy * dy;
        level = 1;
        alpha = static_cast<uint8_t>(r2 < 1 ? 255 * (1 - r2) : 0);
      }
      for (int c = 0; c < 3; ++c) p[c] = static_cast<uint8_t>(hue[c] * level);
      p[3] = alpha;
    }
}

void MakePlaceholderTextures() {
  glGenTextures(kTextureCount, placeholderTextures);
  std::vector<uint8_t> rgba;
  for (int slot = 0; slot < kTextureCount; ++slot) {
    FillPlaceholder(slot, rgba);
    glBindTexture(GL_TEXTURE_2D, placeholderTextures[slot]);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, kTextureSize, kTextureSize, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  }
  glBindTexture(GL_TEXTURE_2D, 0);
}

// The cloud table as start-up fills it: the generator's first values, 0.2 steps in -10..9.8.
void FillCloudPoints() {
  ResetDemoRandom();
  for (Point3& p : cloudPoints) {
    p.x = static_cast<float>(DemoRandom() % 100 - 50) * 0.2f;
    p.y = static_cast<float>(DemoRandom() % 100 - 50) * 0.2f;
    p.z = static_cast<float>(DemoRandom() % 100 - 50) * 0.2f;
  }
}

void SetStartupState() {
  glViewport(0, 0, 800, 600);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45, 800.0 / 600.0, 1, 100);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glShadeModel(GL_SMOOTH);
  glClearColor(0, 0, 0, 0);
  glClearDepth(1);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
  glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
  glFogi(GL_FOG_MODE, GL_LINEAR);
  const GLfloat black[4] = {0, 0, 0, 1};
  glFogfv(GL_FOG_COLOR, black);
  glFogf(GL_FOG_START, 0);
  glFogf(GL_FOG_END, 25);
  glHint(GL_FOG_HINT, GL_NICEST);
  // Whatever earlier tests in this binary switched on goes back to GL's own defaults.
  glDisable(GL_FOG);
  glDisable(GL_TEXTURE_GEN_S);
  glDisable(GL_TEXTURE_GEN_T);
  glDisable(GL_CULL_FACE);
  glCullFace(GL_BACK);
  glDisable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ZERO);
  glDisable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, 0);
  glLineWidth(1);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glColor4f(1, 1, 1, 1);
}
}  // namespace

void OpeningSceneTest::SetUpTestSuite() {
  GlTest::SetUpTestSuite();
  if (!gl.context || testQuadric) return;
  MakePlaceholderTextures();
  testQuadric = gluNewQuadric();
  gluQuadricNormals(testQuadric, GLU_SMOOTH);
  gluQuadricTexture(testQuadric, GL_TRUE);
}

void OpeningSceneTest::SetUp() {
  GlTest::SetUp();
  for (int slot = 0; slot < kTextureCount; ++slot) textureTable.names[slot] = placeholderTextures[slot];
  sharedQuadric = testQuadric;
  for (float& band : SpectrumBands) band = 0;
  FillCloudPoints();
  SetStartupState();
}

void OpeningSceneTest::BeginFrame() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glColor4f(1, 1, 1, 1);
  glMatrixMode(GL_MODELVIEW);
  glEnable(GL_DEPTH_TEST);
  glDisable(GL_BLEND);
  glDisable(GL_TEXTURE_2D);
}

void OpeningSceneTest::DrawFrame(void (*scene)(), float t) {
  BeginFrame();
  DemoClock = t;
  scene();
  glFinish();
}

int OpeningSceneTest::CountLitPixels(const std::vector<uint8_t>& rgb, int threshold) {
  int lit = 0;
  for (size_t i = 0; i + 2 < rgb.size(); i += 3)
    if (rgb[i] > threshold || rgb[i + 1] > threshold || rgb[i + 2] > threshold) ++lit;
  return lit;
}

void OpeningSceneTest::WritePng(const std::vector<uint8_t>& rgb, const std::string& path) {
  PngImage image;
  image.width = 800;
  image.height = 600;
  image.channels = 3;
  image.pixels = rgb;
  std::vector<uint8_t> bytes;
  std::string error;
  ASSERT_TRUE(EncodePng(image, bytes, error)) << error;
  FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr) << path;
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

GLint OpeningSceneTest::GetInt(GLenum name) {
  GLint value = 0;
  glGetIntegerv(name, &value);
  return value;
}

void OpeningSceneTest::ModelviewApply(const float point[3], float out[3]) {
  GLfloat m[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  for (int row = 0; row < 3; ++row)
    out[row] = m[row] * point[0] + m[4 + row] * point[1] + m[8 + row] * point[2] + m[12 + row];
}
