// Sphere-map environments: each texel holds what a mirror ball reflects in that spot. Texture
// row t = 0 (the file's top) is the ball's bottom as the sphere-map lookup sees it, so the sky
// lies in the file's lower half.
#include <algorithm>
#include <cmath>

#include "tools/texgen/Noise.h"
#include "tools/texgen/Textures.h"

namespace {

constexpr float kPi = 3.14159265f;

struct Direction {
  float x, y, z;  // y up, +z back towards the viewer
};

using Environment = Rgb (*)(Direction);

// Reflection direction for a point of the sphere-map disc; points outside are pulled to the rim.
Direction Reflect(float s, float t) {
  float nx = 2 * s - 1, ny = 2 * t - 1;
  const float lengthSq = nx * nx + ny * ny;
  if (lengthSq > 0.9999f) {
    const float k = std::sqrt(0.9999f / lengthSq);
    nx *= k, ny *= k;
  }
  const float nz = std::sqrt(std::max(0.f, 1 - nx * nx - ny * ny));
  return {2 * nz * nx, 2 * nz * ny, 2 * nz * nz - 1};
}

// 4 x 4 samples per texel: the rim of the disc packs half the world into a few texels.
Canvas SphereMap(int size, Environment environment) {
  constexpr int kSamples = 4;
  Canvas canvas(size, size, 3);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      Rgb sum;
      for (int j = 0; j < kSamples; ++j) {
        for (int i = 0; i < kSamples; ++i) {
          sum = sum + environment(Reflect((x + (i + 0.5f) / kSamples) / size, (y + (j + 0.5f) / kSamples) / size));
        }
      }
      canvas.Set(x, y, sum * (1.f / (kSamples * kSamples)));
    }
  }
  return canvas;
}

float Glow(Direction d, Direction towards, float sharpness) {
  const float cosine = d.x * towards.x + d.y * towards.y + d.z * towards.z;
  return std::exp((cosine - 1) * sharpness);
}

Direction Normalised(float x, float y, float z) {
  const float length = std::sqrt(x * x + y * y + z * z);
  return {x / length, y / length, z / length};
}

// Softbox: a bright rounded rectangle around an azimuth and elevation (radians), sizes in radians.
float Softbox(Direction d, float azimuth, float elevation, float width, float height) {
  const float a = std::atan2(d.x, -d.z), e = std::asin(std::clamp(d.y, -1.f, 1.f));
  float da = std::fabs(a - azimuth);
  da = std::min(da, 2 * kPi - da);
  return SmoothStep(width, width * 0.8f, da) * SmoothStep(height, height * 0.8f, std::fabs(e - elevation));
}

// Cool studio: grey-blue gradient sky, two softboxes, dark floor with a faint grid.
Rgb Studio(Direction d) {
  Rgb colour;
  if (d.y >= 0) {
    colour = Mix(Hex(0x5E6A80), Hex(0xC8D4E6), std::pow(d.y, 0.6f));
  } else {
    const float depth = -d.y;
    const float gx = d.x / std::max(depth, 0.02f), gz = d.z / std::max(depth, 0.02f);
    const float line = std::max(SmoothStep(0.05f, 0.f, std::fabs(gx - std::round(gx))), SmoothStep(0.05f, 0.f, std::fabs(gz - std::round(gz))));
    colour = Mix(Hex(0x2A303C), Hex(0x10141C), std::pow(depth, 0.5f)) + Hex(0x6080A0) * (0.25f * line * SmoothStep(0.f, 0.3f, depth));
  }
  colour = colour + Hex(0xFFFFFF) * (0.5f * std::exp(-std::fabs(d.y) * 40));
  colour = colour + Hex(0xF4F8FF) * (1.1f * Softbox(d, 0.6f, 0.55f, 0.35f, 0.22f));
  colour = colour + Hex(0xE0EAFF) * (0.8f * Softbox(d, -2.2f, 0.3f, 0.25f, 0.4f));
  colour = colour + Hex(0xFFFFFF) * (0.5f * Softbox(d, 2.5f, 0.9f, 0.5f, 0.08f));
  return colour;
}

// Colourful outdoors: deep blue sky with clouds and a sun, an orange horizon with distant hills,
// warm checkered ground.
Rgb Outdoors(Direction d) {
  if (d.y > 0) {
    static const RampStop sky[] = {{0.f, Hex(0xFFB060)}, {0.08f, Hex(0xFF7A50)}, {0.25f, Hex(0xB060A0)},
                                   {0.5f, Hex(0x3A58C8)}, {1.f, Hex(0x0C2070)}};
    Rgb colour = Ramp(sky, d.y);
    const float azimuth = std::atan2(d.x, -d.z) / (2 * kPi) + 0.5f;
    const float hills = 0.05f + 0.06f * (PeriodicFbm(azimuth * 12, 0.5f, 12, 4, 4, 0.5f, 121) * 0.5f + 0.5f);
    const float px = d.x / (d.y + 0.15f), pz = d.z / (d.y + 0.15f);
    const float cloud = SmoothStep(0.0f, 0.5f, PeriodicFbm(px * 0.8f + 50, pz * 0.8f + 50, 1024, 1024, 5, 0.55f, 122));
    colour = Mix(colour, Hex(0xFFE8F0) * (0.6f + 0.4f * d.y), cloud * 0.7f * SmoothStep(0.04f, 0.2f, d.y));
    colour = colour + Hex(0xFFF0C0) * (1.5f * Glow(d, Normalised(0.5f, 0.35f, -0.6f), 400) + 0.4f * Glow(d, Normalised(0.5f, 0.35f, -0.6f), 12));
    return Mix(colour, Hex(0x40205A), SmoothStep(hills + 0.004f, hills - 0.004f, d.y));
  }
  const float depth = -d.y;
  const float gx = d.x / std::max(depth, 0.01f) * 1.5f, gz = d.z / std::max(depth, 0.01f) * 1.5f;
  const float checker = (static_cast<int>(std::floor(gx) + std::floor(gz)) & 1) ? 1.f : 0.f;
  const float fade = SmoothStep(0.02f, 0.25f, depth);
  const Rgb ground = Mix(Hex(0xB04818), Hex(0xF0A040), 0.5f + (checker - 0.5f) * fade);
  return Mix(Hex(0xFFB070), ground, SmoothStep(0.f, 0.08f, depth));
}

Rgb Gilded(Direction d) {
  const Rgb studio = Studio(d);
  const float luminance = (studio.r + studio.g + studio.b) / 3;
  return Mix(Hex(0x3A2408), Hex(0xFFD870), std::min(luminance * 1.2f, 1.f)) + Hex(0xFFFFF0) * std::max(0.f, luminance - 0.85f);
}

}  // namespace

Canvas MakeMetal() { return SphereMap(256, Studio); }
Canvas MakeEnvifoo() { return SphereMap(256, Outdoors); }
Canvas MakeGold() { return SphereMap(128, Gilded); }
