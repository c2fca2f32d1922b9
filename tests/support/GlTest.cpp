// The offscreen GL fixture shared by render, scene and director tests.
#include "support/GlTest.h"

#include <string>

#include "platform/Gl.h"

HeadlessGl GlTest::gl;

void GlTest::SetUpTestSuite() {
  if (gl.context) return;
  std::string error;
  if (!CreateHeadlessGl(800, 600, gl, error)) FAIL() << error;
}

void GlTest::TearDownTestSuite() {}

void GlTest::SetUp() {
  ASSERT_NE(gl.context, nullptr) << "no offscreen GL context";
}

std::vector<uint8_t> GlTest::ReadFrame() {
  std::vector<uint8_t> rgb;
  ReadFrameRgb(800, 600, rgb);
  return rgb;
}

void GlTest::PixelAt(int x, int y, uint8_t rgb[3]) {
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, 599 - y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
}
