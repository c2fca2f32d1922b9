// Offscreen fixture for the scenes of the first 130 s: the start-up GL state, a quadric,
// distinguishable placeholder textures and the state the frame gives every scene on entry.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Gl.h"
#include "support/GlTest.h"

class OpeningSceneTest : public GlTest {
 protected:
  static void SetUpTestSuite();
  // Back to the start-up state, so no test sees what an earlier one left.
  void SetUp() override;

  // What the frame guarantees on entry: buffers cleared, colour white, depth test on,
  // blending and texturing off. Everything else stays as the previous frame left it.
  static void BeginFrame();
  // BeginFrame, then one frame of the scene at demo time t.
  static void DrawFrame(void (*scene)(), float t);

  // Pixels whose brightest channel exceeds threshold.
  static int CountLitPixels(const std::vector<uint8_t>& rgb, int threshold = 24);
  static void WritePng(const std::vector<uint8_t>& rgb, const std::string& path);

  static GLint GetInt(GLenum name);
  static bool IsOn(GLenum capability) { return glIsEnabled(capability) == GL_TRUE; }
  // The current modelview matrix applied to a point (w = 1).
  static void ModelviewApply(const float point[3], float out[3]);
};
