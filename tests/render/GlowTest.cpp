// The glow filter against a CPU model of the same passes, with 8-bit storage between steps.
#include <algorithm>
#include <cmath>
#include <limits>
#include <sstream>

#include "RenderProbe.h"
#include "director/DemoState.h"
#include "director/ShowLook.h"
#include "render/GlExtensions.h"
#include "render/PassMode.h"
#include "render/glow/Glow.h"
#include "support/GlTest.h"

namespace {
constexpr int W = 800, H = 600, HW = 400, HH = 300;

// One channel as floats in 0..1, top row first.
using Plane = std::vector<float>;

float Store(float v) { return std::round(std::clamp(v, 0.0f, 1.0f) * 255) / 255; }

Plane Channel(const std::vector<uint8_t>& rgb, int c, int width, int height) {
  Plane p(size_t(width) * height);
  for (size_t i = 0; i < p.size(); ++i) p[i] = rgb[i * 3 + c] / 255.0f;
  return p;
}

float At(const Plane& p, int width, int height, int x, int y) {
  return p[size_t(std::clamp(y, 0, height - 1)) * width + std::clamp(x, 0, width - 1)];
}

// frame + layers x blur(shrink(frame)^(b+1)), every step stored in 8 bits.
Plane ReferenceGlow(const Plane& frame, float a, float b, float c, float d) {
  Plane shrunk(HW * HH), power, blurX(HW * HH), blurY(HW * HH), out(W * H);
  for (int y = 0; y < HH; ++y)
    for (int x = 0; x < HW; ++x)
      shrunk[y * HW + x] = Store((At(frame, W, H, 2 * x, 2 * y) + At(frame, W, H, 2 * x + 1, 2 * y) +
                                  At(frame, W, H, 2 * x, 2 * y + 1) + At(frame, W, H, 2 * x + 1, 2 * y + 1)) /
                                 4);
  power = shrunk;
  for (int i = 0; i < int(b); ++i)
    for (size_t k = 0; k < power.size(); ++k) power[k] = Store(power[k] * shrunk[k]);
  const int radius = int(a);
  const float weight = std::round(d / (2 * a + 1) * 255) / 255;  // the colour's alpha, stored
  const auto blur = [&](const Plane& in, Plane& result, int dx, int dy) {
    for (int y = 0; y < HH; ++y)
      for (int x = 0; x < HW; ++x) {
        float sum = Store(At(in, HW, HH, x, y) * weight);
        for (int i = 1; i <= radius; ++i) {
          sum = Store(sum + At(in, HW, HH, x - i * dx, y - i * dy) * weight);
          sum = Store(sum + At(in, HW, HH, x + i * dx, y + i * dy) * weight);
        }
        result[y * HW + x] = sum;
      }
  };
  blur(power, blurX, 1, 0);
  blur(blurX, blurY, 0, 1);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      // Linear filtering of the half image stretched to full size.
      const float u = (x + 0.5f) / 2 - 0.5f, v = (y + 0.5f) / 2 - 0.5f;
      const int u0 = int(std::floor(u)), v0 = int(std::floor(v));
      const float fu = u - u0, fv = v - v0;
      const float top = Store((1 - fu) * At(blurY, HW, HH, u0, v0) + fu * At(blurY, HW, HH, u0 + 1, v0));
      const float bottom = Store((1 - fu) * At(blurY, HW, HH, u0, v0 + 1) + fu * At(blurY, HW, HH, u0 + 1, v0 + 1));
      const float up = Store((1 - fv) * top + fv * bottom);
      float sum = up;
      for (int k = 1; k < c; ++k) sum = Store(sum + up);
      out[size_t(y) * W + x] = Store(sum + frame[size_t(y) * W + x]);
    }
  return out;
}

// Dim gradients and blocks with one bright square off centre, so that flips, shifts and
// saturation all show; values stay low enough that three layers do not clip everything.
std::vector<uint8_t> TestFrame() {
  std::vector<uint8_t> rgb(W * H * 3);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      uint8_t* p = &rgb[(size_t(y) * W + x) * 3];
      p[0] = uint8_t(x * 60 / W + (y > 400 ? 20 : 0));
      p[1] = ((x / 8 + y / 8) % 2) ? 40 : 0;
      p[2] = (x >= 100 && x < 140 && y >= 60 && y < 100) ? 255 : 10;
    }
  return rgb;
}

class GlowTest : public GlTest {
 protected:
  static void SetUpTestSuite() {
    GlTest::SetUpTestSuite();
    CreateRenderTextures();
    CheckGlowShortcuts(ShowGlowCheckCases());
  }
  void SetUp() override {
    GlTest::SetUp();
    ResetSceneState();
  }
  // The same frame drawn with the glow as written and with the shortcuts in force.
  struct BothWays {
    std::vector<uint8_t> plain, shortcuts;
  };
  static BothWays GlowBothWays(const std::vector<uint8_t>& frame, float a, float b, float c, float d) {
    BothWays drawn;
    for (const PassMode mode : {PassMode::plain, PassMode::shortcuts}) {
      WriteFrame(frame);
      SetFramePassMode(mode);
      DrawGlow(a, b, c, d);
      SetFramePassMode(PassMode::shortcuts);
      (mode == PassMode::plain ? drawn.plain : drawn.shortcuts) = ReadFrame();
    }
    return drawn;
  }
};

struct GlowParameters {
  float a, b, c, d;
};

TEST_F(GlowTest, MatchesTheCpuReferenceForTheShowsFourSettings) {
  const std::vector<uint8_t> frame = TestFrame();
  for (const GlowParameters p : {GlowParameters{3, 0, 3, 1}, GlowParameters{3, 0, 3, 1.2f},
                                 GlowParameters{2, 1, 2, 0.6f}, GlowParameters{3, 0, 3, 1.5f}}) {
    std::ostringstream name;
    name << "a " << p.a << " b " << p.b << " c " << p.c << " d " << p.d;
    SCOPED_TRACE(name.str());
    WriteFrame(frame);
    DrawGlow(p.a, p.b, p.c, p.d);
    const std::vector<uint8_t> got = ReadFrame();
    for (int c = 0; c < 3; ++c) {
      const Plane expected = ReferenceGlow(Channel(frame, c, W, H), p.a, p.b, p.c, p.d);
      int worst = 0, worstAt = 0;
      for (size_t i = 0; i < expected.size(); ++i) {
        const int diff = std::abs(int(std::lround(expected[i] * 255)) - got[i * 3 + c]);
        if (diff > worst) worst = diff, worstAt = int(i);
      }
      EXPECT_LE(worst, 2) << "channel " << c << " at x " << worstAt % W << " y " << worstAt / W;
    }
  }
}

TEST_F(GlowTest, BlackStaysBlackAndWhiteStaysWhite) {
  for (const uint8_t level : {uint8_t{0}, uint8_t{255}}) {
    for (const GlowParameters p : {GlowParameters{3, 0, 3, 1}, GlowParameters{2, 1, 2, 0.6f}}) {
      WriteFrame(UniformFrame(level, level, level));
      DrawGlow(p.a, p.b, p.c, p.d);
      EXPECT_EQ(MaxDifference(ReadFrame(), UniformFrame(level, level, level)), 0) << int(level);
    }
  }
}

TEST_F(GlowTest, LeavesTheStateTheFadesExpect) {
  glEnable(GL_BLEND);
  glDisable(GL_DEPTH_TEST);
  glViewport(0, 0, 100, 100);
  const GlStateSnapshot before = CaptureGlState();
  DrawGlow(3, 0, 3, 1.2f);
  const GlStateSnapshot after = CaptureGlState();
  EXPECT_FLOAT_EQ(after.colour[0], 1);
  EXPECT_FLOAT_EQ(after.colour[3], 1.2f / 7);
  EXPECT_EQ(after.blend, GL_FALSE);
  EXPECT_EQ(after.blendSrc, GL_ONE);
  EXPECT_EQ(after.blendDst, GL_ONE);
  EXPECT_EQ(after.textureRect, GL_FALSE);
  EXPECT_NE(after.bindingRect, 0);
  EXPECT_EQ(after.depthTest, GL_TRUE);
  EXPECT_EQ(after.viewport[2], 800);
  EXPECT_EQ(after.viewport[3], 600);
  EXPECT_EQ(after.matrixMode, GL_MODELVIEW);
  EXPECT_EQ(after.modelviewDepth, before.modelviewDepth);
  EXPECT_EQ(after.projectionDepth, before.projectionDepth);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// The software renderer hands back filtered samples cut to 8 bits, so every shortcut must pass
// its self-check there; a fault in one would otherwise only show as lost speed.
TEST_F(GlowTest, SelfCheckKeepsEveryShortcutOnTheSoftwareRenderer) {
  const GlowShortcutsInUse use = CheckedGlowShortcuts();
  EXPECT_TRUE(use.sums);
  EXPECT_EQ(use.foggedSums, 2);
  EXPECT_EQ(use.foggedLayers, 2);
  EXPECT_EQ(use.foggedBlur, 2);
  EXPECT_TRUE(use.targets);
  EXPECT_EQ(use.foggedTargets, 2);
}

// Whole frames under the fog ranges the self-check covered and one it did not (drawn as
// written then), against the passes as written.
TEST_F(GlowTest, UnderFogTheShortcutsGiveThePassesBytes) {
  const std::vector<uint8_t> frame = TestFrame();
  for (const float end : {25.0f, 80.0f, 31.0f}) {
    glFogf(GL_FOG_END, end);
    std::vector<uint8_t> drawn[2];
    for (const PassMode mode : {PassMode::plain, PassMode::shortcuts}) {
      WriteFrame(frame);
      glEnable(GL_FOG);
      SetFramePassMode(mode);
      DrawGlow(3, 0, 3, 1);
      SetFramePassMode(PassMode::shortcuts);
      glDisable(GL_FOG);
      drawn[mode == PassMode::shortcuts] = ReadFrame();
    }
    EXPECT_EQ(MaxDifference(drawn[0], drawn[1]), 0) << "fog end " << end;
    EXPECT_GT(MaxDifference(drawn[0], frame), 0) << "fog end " << end;
  }
  glFogf(GL_FOG_END, 25);
}

// Faults that reach the shortcuts only: the sums read the second texture unit's coordinates one
// texel off, or blending follows an equation that the taps summed in the texture units do not.
// Each must show in the shortcuts' pixels while they are in force; then the self-check must
// refuse every shortcut that sums taps, and the glow take the passes as written.
TEST_F(GlowTest, SelfCheckRefusesShortcutsThatDifferAndTheGlowIsDrawnAsWritten) {
  struct Fault {
    const char* name;
    void (*apply)();
    void (*undo)();
  };
  const Fault faults[] = {
      {"second unit one texel off",
       [] {
         glActiveTexture(GL_TEXTURE1);
         glMatrixMode(GL_TEXTURE);
         glTranslatef(1, 0, 0);
         glMatrixMode(GL_MODELVIEW);
         glActiveTexture(GL_TEXTURE0);
       },
       [] {
         glActiveTexture(GL_TEXTURE1);
         glMatrixMode(GL_TEXTURE);
         glLoadIdentity();
         glMatrixMode(GL_MODELVIEW);
         glActiveTexture(GL_TEXTURE0);
       }},
      {"blend equation max", [] { glBlendEquation(GL_MAX); }, [] { glBlendEquation(GL_FUNC_ADD); }},
  };
  const std::vector<uint8_t> frame = TestFrame();
  for (const Fault& fault : faults) {
    SCOPED_TRACE(fault.name);
    ASSERT_TRUE(CheckedGlowShortcuts().sums);
    fault.apply();
    const BothWays unchecked = GlowBothWays(frame, 3, 0, 3, 1);
    EXPECT_GT(MaxDifference(unchecked.plain, unchecked.shortcuts), 0);
    CheckGlowShortcuts(ShowGlowCheckCases());
    const GlowShortcutsInUse use = CheckedGlowShortcuts();
    EXPECT_FALSE(use.sums);
    EXPECT_EQ(use.foggedSums, 0);
    EXPECT_EQ(use.foggedLayers, 0);
    EXPECT_EQ(use.foggedBlur, 0);
    const BothWays checked = GlowBothWays(frame, 3, 0, 3, 1);
    EXPECT_EQ(MaxDifference(checked.plain, checked.shortcuts), 0);
    EXPECT_EQ(MaxDifference(checked.plain, unchecked.plain), 0);
    fault.undo();
    CheckGlowShortcuts(ShowGlowCheckCases());
  }
  EXPECT_TRUE(CheckedGlowShortcuts().sums);
}

// Under the opening's opaque cover the shortcuts draw no glow, and leave the GL state that the
// passes as written leave; from the first frame past the cover the glow is drawn again.
TEST_F(GlowTest, UnderTheOpeningCoverNothingIsDrawnAndThePassesStateIsLeft) {
  const std::vector<uint8_t> frame = TestFrame();
  SetGlowCoveredUntil(4);
  DemoClock = 4;
  GlStateSnapshot after[2];
  GLfloat texCoord[2][4];
  for (const PassMode mode : {PassMode::plain, PassMode::shortcuts}) {
    const int i = mode == PassMode::shortcuts;
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ZERO);
    glDisable(GL_DEPTH_TEST);
    glColor4f(0.5f, 0.5f, 0.5f, 0.5f);
    glTexCoord2f(0.25f, 0.75f);
    glViewport(0, 0, 100, 100);
    WriteFrame(frame);
    SetFramePassMode(mode);
    DrawGlow(3, 0, 3, 1.2f);
    SetFramePassMode(PassMode::shortcuts);
    after[i] = CaptureGlState();
    glGetFloatv(GL_CURRENT_TEXTURE_COORDS, texCoord[i]);
    if (mode == PassMode::shortcuts) {
      EXPECT_EQ(MaxDifference(ReadFrame(), frame), 0);
    }
  }
  for (int c = 0; c < 4; ++c) {
    EXPECT_EQ(after[1].colour[c], after[0].colour[c]) << c;
    EXPECT_EQ(texCoord[1][c], texCoord[0][c]) << c;
    EXPECT_EQ(after[1].viewport[c], after[0].viewport[c]) << c;
  }
  EXPECT_EQ(after[1].blend, after[0].blend);
  EXPECT_EQ(after[1].blendSrc, after[0].blendSrc);
  EXPECT_EQ(after[1].blendDst, after[0].blendDst);
  EXPECT_EQ(after[1].textureRect, after[0].textureRect);
  EXPECT_EQ(after[1].bindingRect, after[0].bindingRect);
  EXPECT_EQ(after[1].depthTest, after[0].depthTest);
  EXPECT_EQ(after[1].matrixMode, after[0].matrixMode);
  DemoClock = 4.001f;
  WriteFrame(frame);
  DrawGlow(3, 0, 3, 1.2f);
  EXPECT_GT(MaxDifference(ReadFrame(), frame), 0);
  SetGlowCoveredUntil(-std::numeric_limits<float>::infinity());
  DemoClock = 0;
}

TEST_F(GlowTest, WithoutRectangleTexturesTheFrameIsUnchanged) {
  testing::internal::CaptureStderr();
  CreateRenderTexturesFor("GL_ARB_multitexture GL_ARB_texture_rectangle_extra");
  const std::string warning = testing::internal::GetCapturedStderr();
  EXPECT_NE(warning.find("GL_ARB_texture_rectangle"), std::string::npos);
  EXPECT_EQ(std::count(warning.begin(), warning.end(), '\n'), 1);
  const std::vector<uint8_t> frame = TestFrame();
  WriteFrame(frame);
  glDisable(GL_DEPTH_TEST);
  DrawGlow(3, 0, 3, 1.5f);
  EXPECT_EQ(MaxDifference(ReadFrame(), frame), 0);
  EXPECT_EQ(glIsEnabled(GL_DEPTH_TEST), GL_TRUE);
  CreateRenderTextures();
  CheckGlowShortcuts(ShowGlowCheckCases());
}

TEST(GlExtensionTest, MatchesWholeNamesOnly) {
  EXPECT_TRUE(HasGlExtension("GL_A GL_ARB_texture_rectangle GL_B", "GL_ARB_texture_rectangle"));
  EXPECT_TRUE(HasGlExtension("GL_ARB_texture_rectangle", "GL_ARB_texture_rectangle"));
  EXPECT_FALSE(HasGlExtension("GL_ARB_texture_rectangle_x", "GL_ARB_texture_rectangle"));
  EXPECT_FALSE(HasGlExtension("XGL_ARB_texture_rectangle", "GL_ARB_texture_rectangle"));
  EXPECT_FALSE(HasGlExtension(nullptr, "GL_ARB_texture_rectangle"));
}
}  // namespace
