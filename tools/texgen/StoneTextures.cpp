// Carved stone for the totems: painted bands and relief motifs cut into weathered rock. Motifs
// are laid out in surface units (not texture units) so that they keep their shapes where the
// sphere and the pyramid stretch the texture.
#include <algorithm>
#include <cmath>

#include "tools/texgen/Noise.h"
#include "tools/texgen/Textures.h"

namespace {

constexpr int kSize = 256;
constexpr float kPi = 3.14159265f;

// Anti-aliased inside test for a signed distance, edge softness in surface units.
float Inside(float distance, float softness) { return SmoothStep(softness, -softness, distance); }

struct Carving {
  float depth = 0;    // 0 surface, 1 fully cut
  float pigment = 0;  // 0 stone colour, 1 painted
  int colour = 0;     // which paint
};

// Rock, carving relief and paint combined into colour. Height differences give the light from above.
Canvas ShadeStone(const Plane& depth, const Plane& pigment, const Plane& paintIndex, uint32_t seed, bool wrapY) {
  static const Rgb kPaints[3] = {Hex(0x9A2A18), Hex(0x1E6E6A), Hex(0xD8B040)};
  Canvas canvas(kSize, kSize, 3);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const float u = (x + 0.5f) / kSize, v = (y + 0.5f) / kSize;
      const float rock = PeriodicFbm(u * 8, v * 8, 8, 8, 6, 0.55f, seed);
      const CellularResult cells = PeriodicCellular(u * 10, v * 10, 10, 10, seed + 1);
      const float crack = SmoothStep(0.06f, 0.0f, cells.second - cells.nearest);
      const float speckle = HashUnit(x, y, 0, seed + 2);
      Rgb stone = Mix(Hex(0x6E675C), Hex(0xB5A88E), rock * 0.5f + 0.5f) * (0.92f + 0.12f * speckle);
      stone = stone * (1 - 0.35f * crack);
      const int up = wrapY ? (y + kSize - 1) % kSize : std::max(y - 1, 0);
      const int down = wrapY ? (y + 1) % kSize : std::min(y + 1, kSize - 1);
      const int left = (x + kSize - 1) % kSize, right = (x + 1) % kSize;
      const float slope = (depth.At(x, up) - depth.At(x, down)) + 0.5f * (depth.At(left, y) - depth.At(right, y));
      const float cut = depth.At(x, y);
      const Rgb paint = kPaints[static_cast<int>(paintIndex.At(x, y))] * (0.8f + 0.25f * rock);
      Rgb colour = Mix(stone, paint, pigment.At(x, y));
      colour = colour * (1 - 0.35f * cut) * std::clamp(1 - slope * 1.6f, 0.45f, 1.6f);
      canvas.Set(x, y, colour);
    }
  }
  return canvas;
}

// Ball: X around the equator (0..2 pi), Y from pole to pole (0..pi), both in sphere radii.
Carving BallCarving(float X, float Y) {
  Carving c;
  const float soft = 0.012f;
  // Two grooves framing a painted frieze around the equator, thin rings nearer the poles.
  const float frieze = std::fabs(Y - kPi / 2);
  c.depth = std::max(Inside(std::fabs(frieze - 0.36f) - 0.035f, soft), Inside(std::fabs(frieze - 0.78f) - 0.02f, soft));
  // Frieze: a zigzag cut with a ring in each bay above its low point; eight repeats around.
  const float bay = 2 * kPi / 8;
  const float local = std::fmod(X, bay) / bay;  // 0..1 across one repeat
  const float tri = std::fabs(local * 2 - 1);   // 1 at the ends, 0 in the middle
  const float zigzag = std::fabs((Y - kPi / 2) - (tri - 0.5f) * 0.42f) - 0.03f;
  const float ringX = (local - 0.5f) * bay;
  const float ring = std::fabs(std::hypot(ringX, Y - kPi / 2 - 0.09f) - 0.09f) - 0.02f;
  c.depth = std::max(c.depth, Inside(zigzag, soft));
  c.depth = std::max(c.depth, Inside(ring, soft) * (frieze < 0.3f ? 1.f : 0.f));
  // The frieze is painted red above the zigzag and teal below it; the outer rings gold.
  if (frieze < 0.32f) {
    c.pigment = Inside(frieze - 0.3f, soft) * 0.75f;
    c.colour = (Y - kPi / 2) < (tri - 0.5f) * 0.42f ? 0 : 1;
  } else if (std::fabs(frieze - 0.78f) < 0.05f) {
    c.pigment = 0.6f;
    c.colour = 2;
  }
  return c;
}

// Pyramid side: X along the base (-1..1), Y up the slanted face (0 at the base, 4.12 at the apex).
Carving BoxCarving(float X, float Y) {
  Carving c;
  const float soft = 0.015f;
  const float halfWidth = 1 - Y / 4.12f;  // the face narrows to the apex
  // Stepped bands near the base.
  c.depth = std::max(Inside(std::fabs(Y - 0.25f) - 0.04f, soft), Inside(std::fabs(Y - 0.42f) - 0.025f, soft));
  // A row of teeth above them.
  const float tooth = std::fmod(X + 4, 0.25f) / 0.25f;
  const float teethEdge = 0.55f + std::fabs(tooth * 2 - 1) * 0.3f;
  if (Y > 0.5f && Y < 0.9f) {
    c.depth = std::max(c.depth, Inside(Y - teethEdge, soft) * Inside(0.55f - Y, soft) + Inside(std::fabs(Y - 0.85f) - 0.03f, soft));
  }
  // A face: two ringed eyes with painted irises and a mouth band.
  for (float side : {-1.f, 1.f}) {
    const float dx = X - side * 0.24f, dy = Y - 2.0f;
    const float eye = std::hypot(dx, dy * 0.9f);
    c.depth = std::max(c.depth, Inside(std::fabs(eye - 0.13f) - 0.025f, soft));
    if (eye < 0.08f) c.pigment = std::max(c.pigment, Inside(eye - 0.07f, soft)), c.colour = 2;
  }
  const float mouth = std::max(std::fabs(X) - 0.28f, std::fabs(Y - 1.45f) - 0.06f);
  c.depth = std::max(c.depth, Inside(mouth, soft));
  if (mouth < 0) c.pigment = Inside(mouth + 0.015f, soft) * 0.8f, c.colour = 0;
  // A chevron pointing to the apex, painted teal.
  const float chevron = std::fabs((Y - 2.7f) + std::fabs(X) * 1.2f) - 0.05f;
  if (std::fabs(X) < halfWidth) {
    c.depth = std::max(c.depth, Inside(chevron, soft));
    if (chevron < 0.02f) c.pigment = std::max(c.pigment, Inside(chevron, soft) * 0.8f), c.colour = 1;
  }
  return c;
}

}  // namespace

Canvas MakeBall() {
  Plane depth(kSize, kSize), pigment(kSize, kSize), paint(kSize, kSize);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const Carving c = BallCarving((x + 0.5f) / kSize * 2 * kPi, (y + 0.5f) / kSize * kPi);
      depth.At(x, y) = c.depth, pigment.At(x, y) = c.pigment, paint.At(x, y) = static_cast<float>(c.colour);
    }
  }
  return ShadeStone(depth, pigment, paint, 161, false);
}

Canvas MakeBox() {
  // The pyramid maps its apex to texture corner (1, 1) and its base to the diagonal from (1, 0)
  // to (0, 1); texels beyond the diagonal mirror the face.
  Plane depth(kSize, kSize), pigment(kSize, kSize), paint(kSize, kSize);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const float s = (x + 0.5f) / kSize, t = (y + 0.5f) / kSize;
      const float height = std::fabs(s + t - 1), across = s - t;
      const Carving c = BoxCarving(across, height * 4.12f);
      depth.At(x, y) = c.depth, pigment.At(x, y) = c.pigment, paint.At(x, y) = static_cast<float>(c.colour);
    }
  }
  return ShadeStone(depth, pigment, paint, 171, false);
}
