// Repeating surfaces: the checkerboard, the stripe sets and two small unused ones.
#include <algorithm>
#include <cmath>

#include "tools/texgen/Noise.h"
#include "tools/texgen/Textures.h"

namespace {

// Anti-aliased band: 1 inside |distance| < halfWidth (pixels), a one-pixel ramp at the edge.
float Band(float distance, float halfWidth) { return std::clamp(halfWidth + 0.5f - std::fabs(distance), 0.f, 1.f); }

// Distance (in units of the period) from phase to the nearest whole number.
float PhaseDistance(float phase) { return std::fabs(phase - std::round(phase)); }

}  // namespace

Canvas MakeCheck2() {
  constexpr int kSize = 256, kSquare = 64;
  Canvas canvas(kSize, kSize, 3);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const bool light = ((x / kSquare) + (y / kSquare)) % 2 == 0;
      const float u = (x + 0.5f) / kSize, v = (y + 0.5f) / kSize;
      const float grain = PeriodicFbm(u * 16, v * 16, 16, 16, 4, 0.5f, 71);
      // A soft darkening along each square's rim gives the tiles a slight bevel.
      const float ex = std::min(x % kSquare + 0.5f, kSquare - (x % kSquare) - 0.5f);
      const float ey = std::min(y % kSquare + 0.5f, kSquare - (y % kSquare) - 0.5f);
      const float rim = SmoothStep(0.f, 3.f, std::min(ex, ey));
      const Rgb base = light ? Hex(0xEDEFF2) * (0.93f + 0.05f * grain) : Hex(0x101218) * (1 + 0.4f * grain);
      canvas.Set(x, y, base * (0.82f + 0.18f * rim));
    }
  }
  return canvas;
}

// The stripe textures are drawn large: the tube and the shaft walls pass close to the camera and
// are sampled without filtering, so more texels mean finer steps along the band edges.
constexpr int kStripeSize = 512;
constexpr float kStripeScale = kStripeSize / 256.f;  // band widths below are given for 256 texels

Canvas MakeStripes() {
  // Diagonal neon bands: on the spinning tube they form a helix whose turning is visible.
  constexpr int kBands = 4;
  constexpr float kPeriod = float(kStripeSize) / kBands;  // along x + y
  Canvas canvas(kStripeSize, kStripeSize, 3);
  for (int y = 0; y < kStripeSize; ++y) {
    for (int x = 0; x < kStripeSize; ++x) {
      const float along = (x + y + 1.f) / kPeriod;
      const int band = static_cast<int>(std::floor(along + 0.5f)) % 2;
      const float distance = PhaseDistance(along) * kPeriod / std::sqrt(2.f) / kStripeScale;
      const float core = Band(distance * kStripeScale, 7 * kStripeScale);
      const float glow = std::exp(-distance * distance / 180);
      const float pin = Band(PhaseDistance(along + 0.5f) * kPeriod / std::sqrt(2.f), 0.8f * kStripeScale);
      const Rgb colour = band ? Hex(0x30E0FF) : Hex(0xFF40C0);
      const float u = (x + 0.5f) / kStripeSize, v = (y + 0.5f) / kStripeSize;
      const float sheen = 0.85f + 0.15f * PeriodicFbm(u * 8, v * 8, 8, 8, 3, 0.5f, 81);
      canvas.Set(x, y, Hex(0x05060F) + colour * ((0.55f * glow + 0.5f * core) * sheen) + Hex(0x8090FF) * (0.35f * pin) +
                           Hex(0xFFFFFF) * (0.35f * Band(distance * kStripeScale, 2 * kStripeScale)));
    }
  }
  return canvas;
}

Canvas MakeStripes3() {
  // Horizontal bands for the shaft: two per repeat, so the fast scroll stays readable.
  Canvas canvas(kStripeSize, kStripeSize, 3);
  const float wideHalf = 34 * kStripeScale, thinHalf = 6 * kStripeScale;
  for (int y = 0; y < kStripeSize; ++y) {
    for (int x = 0; x < kStripeSize; ++x) {
      const float u = (x + 0.5f) / kStripeSize, v = (y + 0.5f) / kStripeSize;
      const float wide = Band((v - 0.3f) * kStripeSize, wideHalf);
      const float wideEdge = Band(std::fabs((v - 0.3f) * kStripeSize) - wideHalf, 2 * kStripeScale);
      const float thin = Band((v - 0.78f) * kStripeSize, thinHalf);
      // Brushed steel panel with a bluish sheen: streaks along x, faint vertical ribs.
      const float brushed = PeriodicFbm(u * 2, v * 64, 2, 64, 3, 0.6f, 91) * 0.5f + 0.5f;
      const float ribs = 0.5f + 0.5f * std::cos(u * 2 * 3.14159265f * 16);
      const Rgb panel = Mix(Hex(0x2A3448), Hex(0x4A5870), brushed) * (0.85f + 0.15f * ribs);
      // The wide band is lit like a rounded copper pipe.
      const float across = std::clamp((v - 0.3f) * kStripeSize / wideHalf, -1.f, 1.f);
      const Rgb copper = Mix(Hex(0x7A2A08), Hex(0xFFA040), std::pow(1 - across * across, 1.5f)) * (0.9f + 0.2f * ribs) +
                         Hex(0xFFE8C0) * (0.6f * std::exp(-std::pow((across + 0.35f) / 0.12f, 2.f)));
      Rgb colour = Mix(panel, copper, wide);
      colour = Mix(colour, Hex(0x100604), wideEdge * 0.8f);
      colour = Mix(colour, Hex(0xFFE060), thin) + Hex(0xFF8020) * (0.35f * std::exp(-std::pow((v - 0.78f) * kStripeSize / (14 * kStripeScale), 2.f)));
      canvas.Set(x, y, colour);
    }
  }
  return canvas;
}

Canvas MakeStripes2() {
  constexpr int kBands = 8;
  Canvas canvas(kStripeSize, kStripeSize, 3);
  for (int y = 0; y < kStripeSize; ++y) {
    for (int x = 0; x < kStripeSize; ++x) {
      const float along = (x + 0.5f) / kStripeSize * kBands;
      const float distance = PhaseDistance(along) * 256 / kBands;
      const float v = (y + 0.5f) / kStripeSize;
      const float shade = 0.8f + 0.2f * PeriodicFbm(along, v * 4, kBands, 4, 3, 0.5f, 101);
      canvas.Set(x, y, Mix(Hex(0x062018), Hex(0x40F0A0), Band(distance * kStripeScale, 5 * kStripeScale) * shade) +
                           Hex(0x20A070) * (0.4f * std::exp(-distance * distance / 60)));
    }
  }
  return canvas;
}

Canvas MakeBars() {
  constexpr int kSize = 128;
  static const Rgb kColours[8] = {Hex(0xFFFFFF), Hex(0xFFFF00), Hex(0x00FFFF), Hex(0x00FF00),
                                  Hex(0xFF00FF), Hex(0xFF0000), Hex(0x0000FF), Hex(0x000000)};
  Canvas canvas(kSize, kSize, 3);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) canvas.Set(x, y, kColours[x * 8 / kSize] * (0.75f + 0.25f * (y < kSize * 3 / 4)));
  }
  return canvas;
}

Canvas MakeMetal2() {
  constexpr int kSize = 128;
  Canvas canvas(kSize, kSize, 3);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const float u = (x + 0.5f) / kSize, v = (y + 0.5f) / kSize;
      const float brushed = PeriodicFbm(u * 2, v * 48, 2, 48, 4, 0.6f, 111);
      canvas.Set(x, y, Hex(0x9098A4) * (0.85f + 0.2f * brushed));
    }
  }
  return canvas;
}
