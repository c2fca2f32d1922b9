// DrawModel on the offscreen context: groups newest first, texture coordinates by index,
// normals sent, and nothing at all for an empty record.
#include <string>

#include "assets/Model.h"
#include "platform/Gl.h"
#include "support/GlTest.h"

namespace {
class ModelDrawTest : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    glViewport(0, 0, 800, 600);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-1, 1, -1, 1, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glColor4f(1, 1, 1, 1);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }
  static int Load(Model& model, const std::string& text) {
    ModelLoadReport report;
    return LoadModelFromBytes(model, reinterpret_cast<const uint8_t*>(text.data()), text.size(), report);
  }
};

TEST_F(ModelDrawTest, AnEmptyRecordDrawsNothing) {
  const Model empty{};
  DrawModel(empty);
  uint8_t rgb[3];
  PixelAt(400, 300, rgb);
  EXPECT_EQ(rgb[0], 0);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ModelDrawTest, GroupsDrawNewestFirstWithTheirTextureCoordinates) {
  // Two full-screen triangles, group "a" first in the file and therefore drawn last, on top.
  const std::string text =
      "v -1 -1 0\nv 3 -1 0\nv -1 3 0\nvt 0.25 0.5\nvt 0.75 0.5\n"
      "g a\nf 1/1 2/1 3/1\ng b\nf 1/2 2/2 3/2\n";
  Model model{};
  ASSERT_EQ(Load(model, text), 1);
  const uint8_t texels[] = {255, 0, 0, 0, 255, 0};  // red on the left, green on the right
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 2, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, texels);
  glEnable(GL_TEXTURE_2D);
  DrawModel(model);
  glDisable(GL_TEXTURE_2D);
  uint8_t rgb[3];
  PixelAt(400, 300, rgb);
  EXPECT_EQ(rgb[0], 255);
  EXPECT_EQ(rgb[1], 0);
  GLfloat normal[4];
  glGetFloatv(GL_CURRENT_NORMAL, normal);
  EXPECT_FLOAT_EQ(normal[2], 1);  // counter-clockwise in the xy plane: +z
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  glDeleteTextures(1, &texture);
  FreeModel(model);
}
}  // namespace
