// The show's frames, with its models and textures, drawn with the shortcuts (screen passes and
// scene geometry) against everything drawn as written: every pixel and the GL state the frame
// leaves must be the same, across every window and the fades' edges.
#include <cstring>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "director/DemoState.h"
#include "director/Music.h"
#include "director/Timeline.h"
#include "platform/Gl.h"
#include "support/GlTest.h"
#include "tools/capture/CaptureFrames.h"

namespace {

// At least three per window (the four pillar-row variants each), and the moments where a fade,
// the flash or the inversion starts or ends, where fog is left on (the tunnel, part of the
// totem), and where the glow changes its parameters.
constexpr int kFramesMs[] = {
    500,    3990,   4010,   6000,   7990,   8010,   30500,  57500,  59490,  59510,  59800,  60200,  61000,
    62000,  70000,  80000,  86000,  88500,  91000,  95000,  98000,  101000, 104000, 107000, 110500, 113000,
    115500, 117000, 123000, 129000, 131000, 136500, 142000, 145000, 150000, 155000, 157000, 158700, 159000,
    160500, 162000, 170000, 177000, 185000, 190000, 193000, 200000, 206500, 210000, 212000, 215000, 217000,
    218000, 221500, 223500, 225000, 227000, 230000, 232000, 235000, 240000, 244000, 249000, 255000, 270000,
    276990, 277010, 277500, 277990, 278010, 278500, 279500, 281990,
};

// The state a frame hands to the next, as numbers, each with its name for the message.
std::vector<std::pair<std::string, double>> LeftState() {
  std::vector<std::pair<std::string, double>> state;
  const auto add = [&](const char* name, double value) { state.emplace_back(name, value); };
  const auto integer = [&](const char* name, GLenum query) {
    GLint v = 0;
    glGetIntegerv(query, &v);
    add(name, v);
  };
  GLfloat colour[4], lineWidth = 0;
  glGetFloatv(GL_CURRENT_COLOR, colour);
  for (int i = 0; i < 4; ++i) add("colour", colour[i]);
  GLfloat texCoord[4];
  glGetFloatv(GL_CURRENT_TEXTURE_COORDS, texCoord);
  for (int i = 0; i < 4; ++i) add("texture coordinate", texCoord[i]);
  glGetFloatv(GL_LINE_WIDTH, &lineWidth);
  add("line width", lineWidth);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  for (const GLint v : viewport) add("viewport", v);
  const GLenum switches[] = {GL_BLEND, GL_DEPTH_TEST, GL_TEXTURE_2D, GL_TEXTURE_RECTANGLE_ARB, GL_FOG,
                             GL_CULL_FACE, GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T};
  for (const GLenum s : switches) add("enabled", glIsEnabled(s));
  integer("blend source", GL_BLEND_SRC);
  integer("blend destination", GL_BLEND_DST);
  integer("matrix mode", GL_MATRIX_MODE);
  integer("modelview depth", GL_MODELVIEW_STACK_DEPTH);
  integer("projection depth", GL_PROJECTION_STACK_DEPTH);
  integer("active texture", GL_ACTIVE_TEXTURE);
  integer("2D texture", GL_TEXTURE_BINDING_2D);
  integer("rectangle texture", GL_TEXTURE_BINDING_RECTANGLE_ARB);
  integer("polygon mode", GL_POLYGON_MODE);
  for (int unit = 0; unit < 8; ++unit) {
    glActiveTexture(GL_TEXTURE0 + unit);
    add("unit rectangle on", glIsEnabled(GL_TEXTURE_RECTANGLE_ARB));
    integer("unit env mode", GL_TEXTURE_ENV_MODE);
  }
  glActiveTexture(GL_TEXTURE0);
  GLint filter = 0;
  glGetTexParameteriv(GL_TEXTURE_RECTANGLE_ARB, GL_TEXTURE_MIN_FILTER, &filter);
  add("rectangle filter", filter);
  return state;
}

class PassShortcutsTest : public GlTest {
 protected:
  static void SetUpTestSuite() {
    GlTest::SetUpTestSuite();
    StartCaptureShow();
  }

  // The tunnel moves its points in place every frame; each drawing starts from the same ones.
  static void Draw(int ms, PassMode mode, const Point3* points) {
    std::memcpy(tunnelPoints, points, sizeof tunnelPoints);
    LoadBandsOfFrameAt(BandSourceMs(ms));
    MusicSetTime(ms);
    DrawTimeline(mode);
  }
};

TEST_F(PassShortcutsTest, FramesAcrossTheShowAreIdenticalToThePlainPasses) {
  Point3 points[kRandomPointCount];
  for (const int ms : kFramesMs) {
    std::memcpy(points, tunnelPoints, sizeof points);
    // A frame of the same moment first, so both drawings inherit what that scene leaves.
    Draw(ms, PassMode::shortcuts, points);
    Draw(ms, PassMode::plain, points);
    const std::vector<uint8_t> plain = ReadFrame();
    const auto plainState = LeftState();
    Draw(ms, PassMode::shortcuts, points);
    const std::vector<uint8_t> fast = ReadFrame();
    const auto fastState = LeftState();

    size_t differing = 0, first = plain.size();
    for (size_t i = 0; i < plain.size(); ++i)
      if (plain[i] != fast[i]) {
        ++differing;
        if (first == plain.size()) first = i;
      }
    std::ostringstream where;
    if (differing) {
      const size_t pixel = first / 3;
      where << " first at x " << pixel % 800 << ", y " << pixel / 800 << ": " << int(plain[first]) << " against "
            << int(fast[first]);
    }
    EXPECT_EQ(differing, 0u) << "frame at " << ms << " ms:" << where.str();
    ASSERT_EQ(plainState.size(), fastState.size());
    for (size_t i = 0; i < plainState.size(); ++i)
      EXPECT_EQ(plainState[i].second, fastState[i].second) << plainState[i].first << " after the frame at " << ms;
  }
}

}  // namespace
