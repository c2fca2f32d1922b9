// Frames of the first 130 s written to PNG for looking at, not run by default:
//   VEX_SCENE_FRAMES=/tmp/frames tests/test-scenes --gtest_also_run_disabled_tests
//     --gtest_filter='*OpeningScenesCapture*'   (from the build folder)
// Each frame enters with only the state a frame guarantees, so what one scene leaves carries
// into the next frame as in the show; a lead-in frame 0.1 s earlier gives each picture the state
// its predecessor would have left. The glow and screen layers are not drawn.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "OpeningScenesFixture.h"
#include "director/DemoState.h"
#include "scenes/Scenes.h"

namespace {
struct SceneWindow {
  float from, to;  // strict at both ends
  void (*draw)();
};
constexpr SceneWindow kWindows[] = {{-1e9f, 61.5f, DrawPlanetScene},   {61.5f, 85.5f, DrawDolphinScene},
                                    {85.5f, 92.5f, DrawPillarFieldScene}, {92.5f, 103, DrawDolphinScene},
                                    {103, 116, DrawTotemScene},          {116, 130, DrawFigureOrbitScene}};

// Demo time from a music position, rounded once to float as the director does.
float DemoTimeAt(int ms) { return static_cast<float>(ms * static_cast<double>(0.001f)); }
}  // namespace

class OpeningScenesCapture : public OpeningSceneTest {
 protected:
  static void DrawShowFrame(float t) {
    BeginFrame();
    DemoClock = t;
    for (const SceneWindow& window : kWindows)
      if (window.from < t && t < window.to) window.draw();
    glFinish();
  }
};

TEST_F(OpeningScenesCapture, DISABLED_WritesAFrameEveryTwoSeconds) {
  const char* folder = std::getenv("VEX_SCENE_FRAMES");
  const std::string dir = folder ? folder : ".";
  for (int ms = 0; ms <= 130000; ms += 2000) {
    DrawShowFrame(DemoTimeAt(ms - 100));
    DrawShowFrame(DemoTimeAt(ms));
    char name[64];
    std::snprintf(name, sizeof name, "/frame-%06d.png", ms);
    WritePng(ReadFrame(), dir + name);
  }
}
