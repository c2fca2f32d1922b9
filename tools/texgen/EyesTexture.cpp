// The eyes picture: a close-up of a pair of eyes in smoky make-up under a warm key light,
// painted from curves and noise. It is stored upside down because the picture quad shows the
// file's top row at the bottom of the screen.
#include <algorithm>
#include <cmath>

#include "tools/texgen/Noise.h"
#include "tools/texgen/Shapes.h"
#include "tools/texgen/Textures.h"

namespace {

constexpr int kSize = 512;
constexpr float kPi = 3.14159265f;
constexpr float kEyeY = 246;
constexpr float kHalfWidth = 84;   // half the eye opening, pixels
constexpr float kIrisRadius = 37;
constexpr float kPupilRadius = 12.5f;

struct Eye {
  float centreX;
  float inward;  // +1 when the nose lies towards +x
};

constexpr Eye kEyes[2] = {{132, 1}, {380, -1}};

// Lid curves at an offset q in -1..1 across the eye (q = 1 at the inner corner), in rows
// relative to kEyeY.
float CornerLine(float q) { return -4 + 9 * (q + 1) / 2; }
float UpperLid(float q) { return CornerLine(q) - 40 * std::pow(std::max(0.f, 1 - q * q), 0.75f) - 6 * q * (1 - q * q); }
float LowerLid(float q) { return CornerLine(q) + 24 * std::pow(std::max(0.f, 1 - q * q), 1.2f) + 3 * q * (1 - q * q); }
float Crease(float q) { return UpperLid(q * 0.92f) - 20 - 6 * (1 - q * q); }
float Brow(float q) { return -84 - 16 * (1 - std::pow((q + 0.2f) / 1.25f, 2.f)) + 5 * q; }

Rgb IrisColour(float dx, float dy) {
  const float r = std::hypot(dx, dy) / kIrisRadius;
  const float angle = std::atan2(dy, dx) / (2 * kPi) + 0.5f;
  const float fibres = PeriodicFbm(angle * 64, r * 4, 64, 16, 4, 0.6f, 201) * 0.5f + 0.5f;
  const float streaks = PeriodicNoise(angle * 180, r * 1.5f, 180, 16, 202) * 0.5f + 0.5f;
  const float collarette = 0.45f + 0.05f * PeriodicNoise(angle * 24, 0.5f, 24, 4, 203);
  static const RampStop ring[] = {{0.3f, Hex(0xE8A030)}, {0.45f, Hex(0xC89030)}, {0.52f, Hex(0x5FB060)},
                                  {0.75f, Hex(0x2A9478)}, {0.9f, Hex(0x1A5A78)}, {1.f, Hex(0x081820)}};
  Rgb colour = Ramp(ring, r) * (0.55f + 0.7f * fibres * (0.7f + 0.6f * streaks));
  colour = colour + Hex(0xFFD080) * (0.35f * std::exp(-std::pow((r - collarette) / 0.03f, 2.f)));
  colour = colour * (1 - 0.75f * SmoothStep(0.86f, 1.f, r));  // dark limbal ring
  return colour;
}

// Eyelashes and brow hairs as tapered strokes along a quadratic curve.
void PaintHair(Plane& plane, float x, float y, float dx, float dy, float bend, float length, float rootRadius) {
  constexpr int kSegments = 7;
  float px = x, py = y;
  for (int i = 1; i <= kSegments; ++i) {
    const float k = float(i) / kSegments;
    const float nx = x + dx * length * k - dy * bend * k * k * length;
    const float ny = y + dy * length * k + dx * bend * k * k * length;
    PaintCapsule(plane, px, py, nx, ny, rootRadius * (1 - 0.75f * k), 1 - 0.3f * k);
    px = nx, py = ny;
  }
}

void PaintLashesAndBrows(Plane& lashes, Plane& brows) {
  for (const Eye& eye : kEyes) {
    for (int i = 0; i < 70; ++i) {
      const float q = -0.97f + 1.85f * (i + HashUnit(i, 0, 0, 211)) / 70;
      const float x = eye.centreX + q * kHalfWidth * eye.inward, y = kEyeY + UpperLid(q) + 1.5f;
      // Lashes lean outwards, most at the outer corner, and curl up towards their tips.
      const float outward = -eye.inward * (0.15f + 0.9f * SmoothStep(0.7f, -1.f, q));
      const float length = (13 + 15 * SmoothStep(1.f, -0.4f, q)) * (0.75f + 0.5f * HashUnit(i, 1, 0, 211));
      const float norm = std::hypot(outward, 1.f);
      PaintHair(lashes, x, y, outward / norm, -1 / norm, 0.45f * eye.inward, length, 1.15f);
    }
    for (int i = 0; i < 40; ++i) {
      const float q = -0.9f + 1.6f * (i + HashUnit(i, 2, 0, 211)) / 40;
      const float x = eye.centreX + q * kHalfWidth * eye.inward, y = kEyeY + LowerLid(q) + 2;
      const float outward = -eye.inward * (0.3f + 0.6f * SmoothStep(0.5f, -0.9f, q));
      const float norm = std::hypot(outward, 1.f);
      PaintHair(lashes, x, y, outward / norm, 1 / norm, -0.2f * eye.inward, 4 + 5 * HashUnit(i, 3, 0, 211), 0.6f);
    }
    for (int i = 0; i < 650; ++i) {
      const float q = -1.2f + 2.25f * std::sqrt(HashUnit(i, 4, 0, 212));
      const float thickness = 4 + 8 * SmoothStep(-1.2f, 0.8f, q);
      const float x = eye.centreX + q * kHalfWidth * eye.inward;
      const float y = kEyeY + Brow(q) + (HashUnit(i, 5, 0, 212) - 0.5f) * thickness * 2;
      // Hairs near the nose stand up; the rest comb outwards, rising in the body, falling in the tail.
      const float rise = SmoothStep(0.55f, 1.05f, q);
      float dx = -eye.inward * (1 - rise * 0.85f), dy = -0.25f - 0.15f * q - rise * 0.9f;
      const float norm = std::hypot(dx, dy);
      dx /= norm, dy /= norm;
      PaintHair(brows, x, y, dx, dy, (0.05f + 0.15f * HashUnit(i, 7, 0, 212)) * eye.inward, 9 + 9 * HashUnit(i, 6, 0, 212), 0.55f + 0.35f * HashUnit(i, 8, 0, 212));
    }
  }
}

}  // namespace

Canvas MakeGromeyes() {
  Plane lashes(kSize, kSize), brows(kSize, kSize);
  PaintLashesAndBrows(lashes, brows);
  Canvas canvas(kSize, kSize, 3);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const float u = (x + 0.5f) / kSize, v = (y + 0.5f) / kSize;
      const float px = x + 0.5f, py = y + 0.5f;
      // Skin: warm tone, pores, a key light from the upper left and a vignette.
      const float pores = PeriodicFbm(u * 96, v * 96, 96, 96, 2, 0.5f, 221);
      const float blotch = PeriodicFbm(u * 6, v * 6, 6, 6, 4, 0.5f, 222);
      const float light = std::exp(-std::pow((px - 200) / 330, 2.f) - std::pow((py - 190) / 260, 2.f));
      Rgb skin = Mix(Hex(0x4A2820), Hex(0xD89C80), 0.2f + 0.8f * light) * (0.95f + 0.06f * pores + 0.06f * blotch);
      // The bridge of the nose catches the light; its sides fall into shadow.
      const float bridge = px - 256;
      skin = skin * (1 + 0.18f * std::exp(-bridge * bridge / 300) * SmoothStep(170, 300, py) - 0.2f * std::exp(-std::pow((std::fabs(bridge) - 34) / 22, 2.f)) * SmoothStep(200, 320, py));
      Rgb colour = skin;
      for (const Eye& eye : kEyes) {
        const float xi = (px - eye.centreX) * eye.inward, ly = py - kEyeY;
        const float q = xi / kHalfWidth;
        const float qc = std::clamp(q, -1.f, 1.f);
        // Smoky shadow around the eye, deepest in the crease and at the outer corner.
        const float smoke = std::exp(-std::pow(xi / 125, 2.f) - std::pow((ly + 12) / 48, 2.f)) * (0.75f + 0.25f * SmoothStep(0.5f, -1.f, q));
        colour = Mix(colour, Mix(Hex(0x3A1838), Hex(0x102A34), SmoothStep(-40, 20, ly)) * (1 + 0.3f * pores), std::min(0.8f, smoke * 0.9f));
        const float creaseDistance = ly - Crease(qc);
        colour = colour * (1 - 0.35f * std::exp(-creaseDistance * creaseDistance / 40) * (1 - qc * qc));
        // Shimmer on the lid between lash line and crease.
        const float lid = SmoothStep(0, 6, ly - Crease(qc)) * SmoothStep(0, 6, UpperLid(qc) - ly) * (1 - qc * qc);
        colour = colour + Hex(0xA07060) * (0.22f * lid * (0.6f + 0.4f * pores));
        // A soft tone under the brow hairs, tapering towards the tail, and a sheen on the brow bone.
        const float browQ = std::clamp(q, -1.25f, 1.1f);
        const float browBand = std::exp(-std::pow((ly - Brow(browQ)) / (4 + 6 * SmoothStep(-1.2f, 0.8f, browQ)), 2.f)) *
                               SmoothStep(-1.3f, -0.9f, q) * SmoothStep(1.2f, 0.95f, q);
        colour = Mix(colour, Hex(0x3A2418), 0.45f * browBand);
        const float boneDistance = ly - (Brow(browQ) + 22);
        colour = colour + Hex(0xFFD8C0) * (0.07f * std::exp(-boneDistance * boneDistance / 80) * SmoothStep(1.2f, 0.3f, std::fabs(q)));
        // Under-eye fold.
        const float underDistance = ly - LowerLid(qc) - 16;
        colour = colour * (1 - 0.15f * std::exp(-underDistance * underDistance / 30) * (1 - qc * qc));
        // The opening: sclera, iris, pupil, highlights.
        const float opening = std::min(SmoothStep(-0.7f, 0.7f, ly - UpperLid(qc)), SmoothStep(-0.7f, 0.7f, LowerLid(qc) - ly)) * SmoothStep(1.f, 0.98f, std::fabs(q));
        if (opening > 0) {
          const float toUpper = ly - UpperLid(qc);
          const float vein = SmoothStep(0.035f, 0.f, std::fabs(PeriodicFbm(u * 24, v * 24, 24, 24, 4, 0.5f, 231))) * std::pow(std::fabs(qc), 2.f);
          Rgb white = Mix(Hex(0xE4D8D2), Hex(0xC89088), 0.6f * std::pow(std::fabs(qc), 2.5f)) * (1 - 0.55f * std::exp(-toUpper / 8));
          white = Mix(white, Hex(0xB03030), vein * 0.5f) * (0.85f + 0.15f * std::cos(qc * kPi / 2));
          const float caruncle = std::exp(-std::pow((xi - kHalfWidth + 10) / 9, 2.f) - std::pow((ly - CornerLine(0.9f)) / 7, 2.f));
          white = Mix(white, Hex(0xD06870), caruncle);
          const float dx = px - eye.centreX, dy = py - (kEyeY + 3);
          const float r = std::hypot(dx, dy);
          Rgb inner = Mix(white, IrisColour(dx, dy) * (1 - 0.5f * std::exp(-toUpper / 10)), SmoothStep(kIrisRadius + 0.8f, kIrisRadius - 0.8f, r));
          inner = Mix(inner, Hex(0x050608), SmoothStep(kPupilRadius + 0.8f, kPupilRadius - 0.8f, r));
          // Reflections: a window of light above left, a small point below right, same for both eyes.
          const float wx = std::max(std::fabs(dx + 11) - 4.5f, 0.f), wy = std::max(std::fabs(dy + 12) - 3.f, 0.f);
          inner = inner + Hex(0xFFFFFF) * (0.9f * SmoothStep(3.5f, 1.f, std::hypot(wx, wy)));
          inner = inner + Hex(0xFFF0E0) * (0.7f * SmoothStep(2.5f, 1.f, std::hypot(dx - 11, dy - 10)));
          // Wet line of the lower lid.
          inner = inner + Hex(0xFFE8E0) * (0.2f * std::exp(-std::pow((LowerLid(qc) - ly - 1.5f) / 1.2f, 2.f)));
          colour = Mix(colour, inner, opening);
        }
        // The lower lid's rim catches a little light below the opening.
        const float rim = std::exp(-std::pow((ly - LowerLid(qc) - 2) / 1.5f, 2.f)) * (1 - qc * qc);
        colour = colour + Hex(0xC08070) * (0.25f * rim);
        // Dark lash line along the upper lid.
        const float lashLine = std::exp(-std::pow((ly - UpperLid(qc) + 1) / 2.2f, 2.f)) * SmoothStep(1.05f, 0.9f, std::fabs(q));
        colour = colour * (1 - 0.85f * lashLine);
      }
      colour = Mix(colour, Hex(0x0A0608), lashes.At(x, y) * 0.95f);
      colour = Mix(colour, Hex(0x2A1810), brows.At(x, y) * 0.8f);
      const float vignette = SmoothStep(1.05f, 0.3f, std::hypot((u - 0.5f) * 1.3f, (v - 0.47f) * 2.1f));
      canvas.Set(x, y, colour * (0.12f + 0.88f * vignette));
    }
  }
  FlipVertical(canvas);
  return canvas;
}
