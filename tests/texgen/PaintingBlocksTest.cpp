// The generator's building blocks: noise that repeats exactly, shapes that wrap, quantisation
// that keeps masks exact, flips and glyphs.
#include <gtest/gtest.h>

#include <cmath>

#include "tools/texgen/Canvas.h"
#include "tools/texgen/Glyphs.h"
#include "tools/texgen/Noise.h"
#include "tools/texgen/Shapes.h"

TEST(PaintingBlocks, PeriodicNoiseRepeatsExactlyAtItsPeriodAndVaries) {
  float low = 1, high = -1;
  for (int i = 0; i < 500; ++i) {
    const float x = HashUnit(i, 0, 0, 1) * 7, y = HashUnit(i, 1, 0, 1) * 3;
    const float n = PeriodicNoise(x, y, 7, 3, 5);
    EXPECT_NEAR(n, PeriodicNoise(x + 7, y, 7, 3, 5), 1e-4f);
    EXPECT_NEAR(n, PeriodicNoise(x, y - 3, 7, 3, 5), 1e-4f);
    EXPECT_NEAR(PeriodicFbm(x, y, 7, 3, 5, 0.5f, 9), PeriodicFbm(x - 7, y + 6, 7, 3, 5, 0.5f, 9), 1e-4f);
    EXPECT_NEAR(PeriodicTurbulence(x, y, 7, 3, 4, 0.5f, 9), PeriodicTurbulence(x + 14, y, 7, 3, 4, 0.5f, 9), 1e-4f);
    const CellularResult a = PeriodicCellular(x, y, 7, 3, 2), b = PeriodicCellular(x + 7, y + 3, 7, 3, 2);
    EXPECT_NEAR(a.nearest, b.nearest, 1e-4f);
    EXPECT_EQ(a.id, b.id);
    EXPECT_LE(a.nearest, a.second);
    low = std::min(low, n), high = std::max(high, n);
  }
  EXPECT_GT(low, -1.05f);
  EXPECT_LT(high, 1.05f);
  EXPECT_GT(high - low, 0.8f) << "noise should use most of its range";
}

TEST(PaintingBlocks, ShapesAreSmoothAndWrapAroundThePlane) {
  Plane plane(32, 16);
  PaintDisc(plane, 30, 8, 4);  // crosses the right edge
  EXPECT_FLOAT_EQ(plane.At(30, 8), 1);
  EXPECT_FLOAT_EQ(plane.At(0, 8), 1) << "wrapped to the left edge";
  EXPECT_FLOAT_EQ(plane.At(20, 8), 0);
  EXPECT_GT(plane.At(1, 5), 0);
  EXPECT_LT(plane.At(1, 5), 1) << "edge pixels are partly covered";
  Plane rect(16, 16);
  PaintRect(rect, 4, 4, 12, 8, 0);
  EXPECT_FLOAT_EQ(rect.At(8, 6), 1);
  EXPECT_FLOAT_EQ(rect.At(8, 10), 0);
  // Painting keeps the larger coverage, so a dim shape never erases a bright one.
  PaintDisc(rect, 8, 6, 3, 0.25f);
  EXPECT_FLOAT_EQ(rect.At(8, 6), 1);
}

TEST(PaintingBlocks, QuantisingKeepsExactEndsAndTheMeanOfGradients) {
  Canvas canvas(64, 64, 4);
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      float* p = canvas.At(x, y);
      p[0] = 0, p[1] = 1, p[2] = 0.3f, p[3] = 1.7f;  // out-of-range values clamp
    }
  }
  const PngImage image = ToImage(canvas);
  ASSERT_EQ(image.pixels.size(), 64u * 64 * 4);
  double sum = 0;
  for (size_t i = 0; i < image.pixels.size(); i += 4) {
    ASSERT_EQ(image.pixels[i], 0);
    ASSERT_EQ(image.pixels[i + 1], 255);
    ASSERT_EQ(image.pixels[i + 3], 255);
    sum += image.pixels[i + 2];
  }
  EXPECT_NEAR(sum / (64 * 64), 0.3 * 255, 0.3);
  EXPECT_EQ(ToImage(canvas).pixels, image.pixels) << "the dither is repeatable";
}

TEST(PaintingBlocks, FlipAndRampBehaveAtTheirEdges) {
  Canvas canvas(2, 3, 3);
  for (int y = 0; y < 3; ++y) canvas.Set(0, y, {float(y), 0, 0});
  FlipVertical(canvas);
  EXPECT_EQ(canvas.Get(0, 0).r, 2);
  EXPECT_EQ(canvas.Get(0, 1).r, 1) << "the middle row of an odd height stays";
  EXPECT_EQ(canvas.Get(0, 2).r, 0);
  static const RampStop stops[] = {{0.f, Hex(0x000000)}, {1.f, Hex(0xFF0000)}};
  EXPECT_FLOAT_EQ(Ramp(stops, -3).r, 0);
  EXPECT_FLOAT_EQ(Ramp(stops, 0.5f).r, 0.5f);
  EXPECT_FLOAT_EQ(Ramp(stops, 9).r, 1);
}

TEST(PaintingBlocks, GlyphsPaintCoverageAndAMissingFontPaintsNothing) {
  GlyphFace* face = OpenGlyphFace("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf", 24);
  ASSERT_NE(face, nullptr);
  EXPECT_GT(GlyphAdvance(face, 'W'), GlyphAdvance(face, 'i'));
  Plane plane(32, 32);
  PaintGlyph(face, 'L', 4, 26, plane);
  // An L: its stem on the left reaches the top, its foot runs right along the baseline.
  EXPECT_GT(plane.At(8, 10), 0.9f);
  EXPECT_LT(plane.At(20, 10), 0.1f);
  EXPECT_GT(plane.At(16, 23), 0.9f);
  CloseGlyphFace(face);

  GlyphFace* missing = OpenGlyphFace("/nonexistent/font.ttf", 24);
  EXPECT_EQ(missing, nullptr);
  Plane untouched(8, 8);
  PaintGlyph(missing, 'A', 0, 6, untouched);
  EXPECT_EQ(GlyphAdvance(missing, 'A'), 0);
  for (float v : untouched.values) EXPECT_EQ(v, 0);
}
