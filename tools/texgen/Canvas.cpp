// Canvas helpers: vertical flip and dithered quantisation.
#include "tools/texgen/Canvas.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "tools/texgen/Noise.h"

Rgb Hex(uint32_t rgb) {
  return {((rgb >> 16) & 0xFF) / 255.f, ((rgb >> 8) & 0xFF) / 255.f, (rgb & 0xFF) / 255.f};
}

void FlipVertical(Canvas& canvas) {
  const size_t rowFloats = static_cast<size_t>(canvas.width) * canvas.channels;
  for (int y = 0; y < canvas.height / 2; ++y) {
    float* top = canvas.At(0, y);
    float* bottom = canvas.At(0, canvas.height - 1 - y);
    std::swap_ranges(top, top + rowFloats, bottom);
  }
}

PngImage ToImage(const Canvas& canvas) {
  PngImage image;
  image.width = canvas.width;
  image.height = canvas.height;
  image.channels = canvas.channels;
  image.pixels.resize(canvas.values.size());
  for (int y = 0; y < canvas.height; ++y) {
    for (int x = 0; x < canvas.width; ++x) {
      const float* p = canvas.At(x, y);
      uint8_t* out = &image.pixels[(static_cast<size_t>(y) * canvas.width + x) * canvas.channels];
      for (int c = 0; c < canvas.channels; ++c) {
        // Triangular dither of +-1 step; exact 0 and 1 stay exact so masks and alpha edges hold.
        const float v = std::clamp(p[c], 0.f, 1.f);
        const float dither = (v <= 0.f || v >= 1.f) ? 0.f : HashUnit(x, y, c, 0xD17u) + HashUnit(x, y, c, 0xD18u) - 1.f;
        out[c] = static_cast<uint8_t>(std::clamp(std::lround(v * 255.f + dither), 0l, 255l));
      }
    }
  }
  return image;
}
