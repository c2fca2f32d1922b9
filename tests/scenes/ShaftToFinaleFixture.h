// Offscreen fixture for the scenes of 130 s onwards: start-up GL state, one solid-colour texture
// per slot (so a bound name or a pixel tells which texture was used) and the shared quadric.
#pragma once
#include <array>
#include <cstdint>

#include "assets/Point3.h"
#include "director/DemoState.h"
#include "platform/Gl.h"
#include "support/GlTest.h"

using GlMatrix = std::array<GLfloat, 16>;

class ShaftToFinaleTest : public GlTest {
 public:
  // The colour every texel of the slot's texture has.
  static std::array<uint8_t, 3> SlotColour(TextureSlot slot);

 protected:
  void SetUp() override;

  static bool Enabled(GLenum capability);
  static GLuint BoundTexture();
  static GLfloat FogValue(GLenum parameter);
  static std::array<GLfloat, 4> CurrentColour();
  static GlMatrix Modelview();
  // What a fresh modelview holds after a look-at from eye to centre with y up.
  static GlMatrix LookAt(Point3 eye, Point3 centre);
  static void ExpectMatrixNear(const GlMatrix& actual, const GlMatrix& expected);
  // Expects what every scene leaves: generation off, fill mode, the modelview selected at
  // stack depth 1, no GL error.
  static void ExpectCommonLeftovers();
};
