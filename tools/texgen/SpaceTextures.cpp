// Glows, stars, the planet and fire.
#include <algorithm>
#include <cmath>

#include "tools/texgen/Noise.h"
#include "tools/texgen/Textures.h"

namespace {

constexpr float kPi = 3.14159265f;

// Point on the unit sphere for an equirectangular pixel: longitude across, north pole on the top row.
void SpherePoint(int x, int y, int width, int height, float p[3]) {
  const float longitude = (x + 0.5f) / width * 2 * kPi;
  const float latitude = kPi / 2 - (y + 0.5f) / height * kPi;
  p[0] = std::cos(latitude) * std::cos(longitude);
  p[1] = std::cos(latitude) * std::sin(longitude);
  p[2] = std::sin(latitude);
}

// Adds a round Gaussian spot, clipped at the canvas edges.
void AddStar(Canvas& canvas, float cx, float cy, float sigma, Rgb colour) {
  const int reach = static_cast<int>(std::ceil(sigma * 3.5f));
  for (int y = static_cast<int>(cy) - reach; y <= static_cast<int>(cy) + reach; ++y) {
    for (int x = static_cast<int>(cx) - reach; x <= static_cast<int>(cx) + reach; ++x) {
      if (x < 0 || y < 0 || x >= canvas.width || y >= canvas.height) continue;
      const float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
      const float k = std::exp(-(dx * dx + dy * dy) / (2 * sigma * sigma));
      canvas.Set(x, y, canvas.Get(x, y) + colour * k);
    }
  }
}

// Thin four-pointed glint through a bright star.
void AddGlint(Canvas& canvas, float cx, float cy, float length, Rgb colour) {
  const int reach = static_cast<int>(length);
  for (int d = -reach; d <= reach; ++d) {
    const float fall = std::pow(1 - std::fabs(float(d)) / (length + 1), 3.f);
    for (int across = -1; across <= 1; ++across) {
      const float k = fall * (across == 0 ? 0.5f : 0.12f);
      const int hx = static_cast<int>(cx) + d, hy = static_cast<int>(cy) + across;
      const int vx = static_cast<int>(cx) + across, vy = static_cast<int>(cy) + d;
      if (hx >= 0 && hx < canvas.width && hy >= 0 && hy < canvas.height) canvas.Set(hx, hy, canvas.Get(hx, hy) + colour * k);
      if (vx >= 0 && vx < canvas.width && vy >= 0 && vy < canvas.height) canvas.Set(vx, vy, canvas.Get(vx, vy) + colour * k);
    }
  }
}

Rgb StarColour(float temperature) {
  static const RampStop stops[] = {{0.f, Hex(0xFFB27A)}, {0.25f, Hex(0xFFE2B8)}, {0.55f, Hex(0xFFFFFF)},
                                   {0.8f, Hex(0xCFDDFF)}, {1.f, Hex(0x9DB8FF)}};
  return Ramp(stops, temperature);
}

}  // namespace

Canvas MakeBubble() {
  constexpr int kSize = 128;
  Canvas canvas(kSize, kSize, 4);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const float r = std::hypot(x + 0.5f - kSize / 2.f, y + 0.5f - kSize / 2.f) / (kSize / 2.f);
      // Reaches 0 before the square's inscribed circle, so every border texel is clear.
      const float k = std::min(r / 0.95f, 1.f);
      const float window = (1 - k * k) * (1 - k * k);
      const float glow = window * (0.3f + 0.7f * std::exp(-k * k * 7)) + 0.22f * window * std::exp(-std::pow((k - 0.72f) / 0.12f, 2.f));
      const Rgb colour = Mix(Hex(0xFFFFFF), Hex(0x8CC4FF), SmoothStep(0.05f, 0.75f, k));
      float* p = canvas.At(x, y);
      p[0] = colour.r, p[1] = colour.g, p[2] = colour.b;
      p[3] = std::min(1.f, glow * 1.04f);
    }
  }
  return canvas;
}

// Brightness of the star field's milky band (0..1) at a texel, a soft diagonal stripe.
float MilkyBand(float u, float v) {
  const float across = (u - v) * 0.7071f + 0.08f * PeriodicFbm(u * 3, v * 3, 3, 3, 3, 0.5f, 15);
  return std::exp(-across * across / 0.03f);
}

Canvas MakeStars() {
  constexpr int kSize = 512;
  Canvas canvas(kSize, kSize, 3);
  // Faint nebula, brightest along the band; towards the borders it settles to a constant so the
  // box faces meet evenly.
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const float u = (x + 0.5f) / kSize, v = (y + 0.5f) / kSize;
      const float warp = PeriodicFbm(u * 3, v * 3, 3, 3, 4, 0.5f, 11);
      const float density = PeriodicFbm(u * 3 + warp, v * 3 - warp, 3, 3, 7, 0.55f, 12);
      const float hue = PeriodicFbm(u * 2, v * 2, 2, 2, 3, 0.5f, 13) * 0.5f + 0.5f;
      const float dust = PeriodicTurbulence(u * 6, v * 6, 6, 6, 5, 0.5f, 14);
      float cloud = std::pow(std::clamp(density * 0.9f + 0.5f, 0.f, 1.f), 2.2f) * (0.5f + 0.7f * dust) * (0.35f + 0.9f * MilkyBand(u, v));
      const float edge = SmoothStep(0.f, 0.1f, std::min(std::min(u, 1 - u), std::min(v, 1 - v)));
      cloud = 0.12f + (cloud - 0.12f) * edge;
      const Rgb nebula = Mix(Hex(0x2040B0), Hex(0xA02888), SmoothStep(0.3f, 0.7f, hue));
      canvas.Set(x, y, Hex(0x010206) + nebula * (cloud * 0.75f));
    }
  }
  // Stars, most faint, a few bright with glints; brightness follows a steep power law and they
  // crowd along the band.
  constexpr int kCandidates = 7000;
  for (int i = 0; i < kCandidates; ++i) {
    const float x = 4 + HashUnit(i, 0, 0, 21) * (kSize - 8), y = 4 + HashUnit(i, 1, 0, 21) * (kSize - 8);
    if (HashUnit(i, 5, 0, 21) > 0.25f + 0.75f * MilkyBand(x / kSize, y / kSize)) continue;
    const float magnitude = std::pow(HashUnit(i, 2, 0, 21), 14.f);
    const float brightness = 0.04f + 0.35f * std::pow(HashUnit(i, 3, 0, 21), 2.f) + 1.8f * magnitude;
    const Rgb colour = StarColour(HashUnit(i, 4, 0, 21));
    AddStar(canvas, x, y, 0.5f + 0.9f * magnitude, colour * brightness);
    if (magnitude > 0.7f) AddGlint(canvas, x, y, 4 + 12 * magnitude, colour * (0.5f * magnitude));
  }
  return canvas;
}

Canvas MakePlanet() {
  constexpr int kWidth = 512, kHeight = 256;
  static const RampStop ocean[] = {{-1.f, Hex(0x03123A)}, {-0.3f, Hex(0x062660)}, {-0.06f, Hex(0x12548E)}, {0.f, Hex(0x2A88AA)}};
  static const RampStop lush[] = {{0.f, Hex(0xC9B884)}, {0.015f, Hex(0x3E7A2C)}, {0.15f, Hex(0x2B5A22)},
                                  {0.3f, Hex(0x6B5B3E)}, {0.42f, Hex(0x8E8378)}, {0.52f, Hex(0xF2F4F8)}};
  static const RampStop arid[] = {{0.f, Hex(0xD8C08A)}, {0.08f, Hex(0xC79A5A)}, {0.25f, Hex(0x9C6A3C)},
                                  {0.42f, Hex(0x7E6A5A)}, {0.52f, Hex(0xF2F4F8)}};
  // Heights first, so that relief shading can compare neighbours.
  Plane height(kWidth, kHeight);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      float p[3];
      SpherePoint(x, y, kWidth, kHeight, p);
      const float wx = Fbm3(p[0] * 1.5f, p[1] * 1.5f, p[2] * 1.5f, 3, 0.5f, 31);
      const float wy = Fbm3(p[0] * 1.5f + 9, p[1] * 1.5f, p[2] * 1.5f, 3, 0.5f, 32);
      height.At(x, y) = Fbm3(p[0] * 1.7f + wx, p[1] * 1.7f + wy, p[2] * 1.7f, 8, 0.52f, 33) * 1.25f - 0.02f;
    }
  }
  Canvas canvas(kWidth, kHeight, 3);
  for (int y = 0; y < kHeight; ++y) {
    const float latitude = std::fabs(90 - (y + 0.5f) / kHeight * 180);  // degrees
    const float texelsPerDegreeAcross = std::max(std::cos(latitude * kPi / 180), 0.05f);
    for (int x = 0; x < kWidth; ++x) {
      float p[3];
      SpherePoint(x, y, kWidth, kHeight, p);
      const float h = height.At(x, y);
      const float moisture = Fbm3(p[0] * 2.5f, p[1] * 2.5f, p[2] * 2.5f, 4, 0.5f, 34);
      Rgb ground;
      if (h < 0) {
        ground = Ramp(ocean, h) * (0.95f + 0.1f * Fbm3(p[0] * 8, p[1] * 8, p[2] * 8, 3, 0.5f, 38));
      } else {
        // Deserts gather in the subtropics and where the moisture noise is low.
        const float subtropic = SmoothStep(18, 5, std::fabs(latitude - 25));
        const float dryness = std::clamp(SmoothStep(0.05f, -0.25f, moisture) * SmoothStep(60, 45, latitude) + 0.6f * subtropic * SmoothStep(0.25f, -0.05f, moisture), 0.f, 1.f);
        ground = Mix(Ramp(lush, h), Ramp(arid, h), dryness);
        // Relief lit from the north-west.
        const float east = height.At((x + 1) % kWidth, y) - height.At((x + kWidth - 1) % kWidth, y);
        const float south = height.At(x, std::min(y + 1, kHeight - 1)) - height.At(x, std::max(y - 1, 0));
        const float slope = (east / texelsPerDegreeAcross + south) * 0.5f;
        ground = ground * std::clamp(1 - slope * 14, 0.65f, 1.3f);
      }
      const float iceLine = 68 + 8 * Fbm3(p[0] * 4, p[1] * 4, p[2] * 4, 4, 0.5f, 35);
      const float ice = SmoothStep(iceLine - 2, iceLine + 2, latitude + std::max(h, 0.f) * 30);
      ground = Mix(ground, Hex(0xE8F0FA) * (0.93f + 0.07f * Fbm3(p[0] * 12, p[1] * 12, p[2] * 12, 3, 0.5f, 39)), ice);
      // Clouds: swirled by a warp that grows towards the poles, thin bands near the equator.
      const float swirlX = Fbm3(p[0] * 2, p[1] * 2, p[2] * 2, 4, 0.5f, 36);
      const float swirlY = Fbm3(p[0] * 2 + 5, p[1] * 2, p[2] * 2, 4, 0.5f, 40);
      const float cloud = Fbm3(p[0] * 3 + swirlX * 1.6f, p[1] * 3 + swirlY * 1.6f, p[2] * 6, 7, 0.55f, 37);
      const float cover = SmoothStep(0.0f, 0.4f, cloud + 0.06f * std::cos(latitude * kPi / 30)) * 0.92f;
      canvas.Set(x, y, Mix(ground, Hex(0xF7F9FC), cover));
    }
  }
  return canvas;
}

Canvas MakeExplode() {
  constexpr int kSize = 512;
  Canvas canvas(kSize, kSize, 3);
  // The flash quad is 820 x 620 and mirrored, overhanging the right and bottom of the screen;
  // this centre lands in the middle of the screen, and distances are measured in screen units so
  // that the burst looks round there.
  const float centreU = 1 - 400.f / 820.f, centreV = 300.f / 620.f;
  static const RampStop heat[] = {{0.f, Hex(0x000000)}, {0.08f, Hex(0x3A0600)}, {0.25f, Hex(0xA02A00)},
                                  {0.5f, Hex(0xFF8A10)}, {0.75f, Hex(0xFFE080)}, {1.f, Hex(0xFFFFFF)}};
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const float dx = ((x + 0.5f) / kSize - centreU) * 820, dy = ((y + 0.5f) / kSize - centreV) * 620;
      const float r = std::hypot(dx, dy) / 300;
      const float angle = std::atan2(dy, dx) / (2 * kPi) + 0.5f;
      const float rays = PeriodicFbm(angle * 40, r * 0.8f, 40, 64, 5, 0.55f, 41) * 0.5f + 0.5f;
      const float fine = PeriodicNoise(angle * 160, r * 2, 160, 64, 42) * 0.5f + 0.5f;
      const float streak = std::pow(std::clamp(rays * 0.85f + fine * 0.3f, 0.f, 1.f), 4.f);
      const float core = std::exp(-r * r * 14);
      const float halo = std::exp(-r * 2.3f);
      const float shell = std::exp(-std::pow((r - 0.42f) / 0.08f, 2.f)) * (0.6f + 0.8f * streak);
      const float energy = core * 1.2f + halo * 0.45f + streak * std::exp(-r * 1.1f) * 1.1f + shell * 0.25f;
      canvas.Set(x, y, Ramp(heat, std::min(energy, 1.f)));
    }
  }
  return canvas;
}

Canvas MakeExplosion() {
  constexpr int kSize = 512;
  Canvas canvas(kSize, kSize, 3);
  static const RampStop fire[] = {{0.f, Hex(0x000000)}, {0.25f, Hex(0x2A0300)}, {0.45f, Hex(0x8A1800)},
                                  {0.62f, Hex(0xE85A00)}, {0.8f, Hex(0xFFB830)}, {0.95f, Hex(0xFFF2C0)}};
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      float p[3];
      SpherePoint(x, y, kSize, kSize, p);
      const float warp = Fbm3(p[0] * 2, p[1] * 2, p[2] * 2, 4, 0.5f, 51);
      float turbulence = 0, amplitude = 1, norm = 0, scale = 3;
      for (int octave = 0; octave < 6; ++octave) {
        turbulence += amplitude * std::fabs(Noise3(p[0] * scale + warp, p[1] * scale - warp, p[2] * scale + warp, 52 + octave));
        norm += amplitude;
        amplitude *= 0.5f;
        scale *= 2.03f;
      }
      // Thin bright seams where the turbulence is low, dark where it piles up.
      const float flame = std::pow(1 - turbulence / norm * 1.6f, 3.f);
      const float glow = Fbm3(p[0] * 1.2f, p[1] * 1.2f, p[2] * 1.2f, 3, 0.5f, 58) * 0.5f + 0.5f;
      canvas.Set(x, y, Ramp(fire, std::clamp(flame * 0.85f + glow * 0.35f, 0.f, 1.f)));
    }
  }
  return canvas;
}

Canvas MakeFire() {
  constexpr int kSize = 128;
  Canvas canvas(kSize, kSize, 3);
  static const RampStop fire[] = {{0.f, Hex(0x100000)}, {0.4f, Hex(0xA01800)}, {0.7f, Hex(0xFF7A00)}, {1.f, Hex(0xFFF0A0)}};
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const float u = (x + 0.5f) / kSize, v = (y + 0.5f) / kSize;
      const float flame = 1 - PeriodicTurbulence(u * 4, v * 4, 4, 4, 5, 0.55f, 61) * 1.8f;
      canvas.Set(x, y, Ramp(fire, std::clamp(flame, 0.f, 1.f)));
    }
  }
  return canvas;
}

Canvas MakeLaser() {
  constexpr int kSize = 64;
  Canvas canvas(kSize, kSize, 3);
  for (int y = 0; y < kSize; ++y) {
    const float across = std::fabs((y + 0.5f) / kSize - 0.5f) * 2;
    const float beam = std::exp(-across * across * 40) + 0.35f * std::exp(-across * 5);
    for (int x = 0; x < kSize; ++x) canvas.Set(x, y, Mix(Hex(0x000000), Hex(0xFF2010), std::min(beam, 1.f)) + Hex(0xFFFFFF) * (0.8f * std::exp(-across * across * 400)));
  }
  return canvas;
}
