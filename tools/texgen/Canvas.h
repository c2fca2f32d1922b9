// Float pixel buffers that the generators paint into, and their conversion to 8-bit images.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/PngImage.h"

struct Rgb {
  float r = 0, g = 0, b = 0;
};

inline Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Rgb operator*(Rgb a, float k) { return {a.r * k, a.g * k, a.b * k}; }
inline Rgb operator*(Rgb a, Rgb b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }
inline Rgb Mix(Rgb a, Rgb b, float k) { return a * (1 - k) + b * k; }
// Colour from 0xRRGGBB, for palettes written the way artists give them.
Rgb Hex(uint32_t rgb);

// Row-major, top row first, 3 or 4 channels of nominal range 0..1.
struct Canvas {
  int width = 0;
  int height = 0;
  int channels = 0;
  std::vector<float> values;

  Canvas(int w, int h, int c) : width(w), height(h), channels(c), values(static_cast<size_t>(w) * h * c, 0.f) {}
  float* At(int x, int y) { return &values[(static_cast<size_t>(y) * width + x) * channels]; }
  const float* At(int x, int y) const { return &values[(static_cast<size_t>(y) * width + x) * channels]; }
  void Set(int x, int y, Rgb c) {
    float* p = At(x, y);
    p[0] = c.r, p[1] = c.g, p[2] = c.b;
  }
  Rgb Get(int x, int y) const {
    const float* p = At(x, y);
    return {p[0], p[1], p[2]};
  }
};

// A single-channel float plane (coverage, height, distance), row-major.
struct Plane {
  int width = 0;
  int height = 0;
  std::vector<float> values;

  Plane(int w, int h) : width(w), height(h), values(static_cast<size_t>(w) * h, 0.f) {}
  float& At(int x, int y) { return values[static_cast<size_t>(y) * width + x]; }
  float At(int x, int y) const { return values[static_cast<size_t>(y) * width + x]; }
  // Wraps coordinates, so tileable painting needs no edge cases.
  float& Wrapped(int x, int y) { return At(((x % width) + width) % width, ((y % height) + height) % height); }
};

// Swaps the top and bottom rows, for files whose consumer shows them upside down.
void FlipVertical(Canvas& canvas);

// Quantises to 8 bits with a faint hashed dither so that slow gradients do not band. The dither
// depends only on the pixel position, so results are repeatable and tiling is preserved.
PngImage ToImage(const Canvas& canvas);

// A piecewise-linear colour ramp over stops sorted by `at`; x is clamped to the ends.
struct RampStop {
  float at;
  Rgb colour;
};
template <int N>
Rgb Ramp(const RampStop (&stops)[N], float x) {
  if (x <= stops[0].at) return stops[0].colour;
  for (int i = 1; i < N; ++i) {
    if (x < stops[i].at) return Mix(stops[i - 1].colour, stops[i].colour, (x - stops[i - 1].at) / (stops[i].at - stops[i - 1].at));
  }
  return stops[N - 1].colour;
}
