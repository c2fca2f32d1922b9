// Renders the settings dialog's banner and writes it as a C++ source file holding the RGB bytes:
// the title in chrome lettering with a dark outline and a neon glow, over a starry nebula and a
// glowing grid floor. Uses the texture generator's noise and glyph painting; deterministic.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "shell/BannerImage.h"
#include "tools/texgen/Canvas.h"
#include "tools/texgen/Glyphs.h"
#include "tools/texgen/Noise.h"

namespace {

constexpr const char* kTitleFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
constexpr const char* kTaglineFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr float kHorizon = 118;  // row of the floor's horizon

// Paints text centred on centreX with its baseline on baselineY.
void PaintLine(const char* font, int pixelSize, float xScale, const char* text, float centreX, int baselineY, Plane& plane) {
  GlyphFace* face = OpenGlyphFace(font, pixelSize, xScale);
  float width = 0;
  for (const char* c = text; *c; ++c) width += GlyphAdvance(face, static_cast<unsigned char>(*c));
  float pen = centreX - width / 2;
  for (const char* c = text; *c; ++c) {
    PaintGlyph(face, static_cast<unsigned char>(*c), pen, baselineY, plane);
    pen += GlyphAdvance(face, static_cast<unsigned char>(*c));
  }
  CloseGlyphFace(face);
}

// Separable box blur repeated `passes` times (about Gaussian), clamped at the edges.
Plane Blur(Plane plane, int radius, int passes) {
  Plane scratch(plane.width, plane.height);
  for (int pass = 0; pass < passes; ++pass) {
    for (int axis = 0; axis < 2; ++axis) {
      for (int y = 0; y < plane.height; ++y) {
        for (int x = 0; x < plane.width; ++x) {
          float sum = 0;
          for (int k = -radius; k <= radius; ++k) {
            const int sx = axis == 0 ? std::clamp(x + k, 0, plane.width - 1) : x;
            const int sy = axis == 1 ? std::clamp(y + k, 0, plane.height - 1) : y;
            sum += plane.At(sx, sy);
          }
          scratch.At(x, y) = sum / (2 * radius + 1);
        }
      }
      std::swap(plane.values, scratch.values);
    }
  }
  return plane;
}

Rgb Sky(int x, int y) {
  const float u = (x + 0.5f) / kBannerWidth, v = (y + 0.5f) / kBannerHeight;
  const float cloud = PeriodicFbm(u * 5, v * 2, 5, 2, 6, 0.55f, 301) * 0.5f + 0.5f;
  const float hue = PeriodicFbm(u * 2, v * 1, 2, 1, 3, 0.5f, 302) * 0.5f + 0.5f;
  Rgb colour = Mix(Hex(0x05030E), Hex(0x140A30), v);
  colour = colour + Mix(Hex(0x1A2C70), Hex(0x6A1A60), SmoothStep(0.35f, 0.65f, hue)) * (0.5f * std::pow(cloud, 2.5f));
  // Stars: one chance per pixel, brighter ones rarer.
  const float star = HashUnit(x, y, 0, 303);
  if (star > 0.985f) colour = colour + Hex(0xC8D8FF) * std::pow((star - 0.985f) / 0.015f, 3.f);
  // The horizon glows magenta.
  colour = colour + Hex(0xFF3090) * (0.55f * std::exp(-std::fabs(y - kHorizon) / 9));
  return colour;
}

Rgb Floor(int x, int y) {
  const float depth = (y + 0.5f - kHorizon) / (kBannerHeight - kHorizon);  // 0 at the horizon
  const float z = 1 / (depth + 0.04f);
  const float across = (x + 0.5f - kBannerWidth / 2.f) / kBannerWidth * z * 3;
  // Distances to the nearest lines in pixels (value over gradient length), so every line is
  // about a pixel wide at any depth and slope.
  const float dzdy = z * z / (kBannerHeight - kHorizon);
  const float gradX = std::hypot(z * 3.f / kBannerWidth, (x + 0.5f - kBannerWidth / 2.f) / kBannerWidth * 3 * dzdy);
  const float lineZ = std::clamp(1.2f - std::fabs(z * 0.5f - std::round(z * 0.5f)) / (dzdy * 0.5f), 0.f, 1.f);
  const float lineX = std::clamp(1.2f - std::fabs(across - std::round(across)) / gradX, 0.f, 1.f);
  const float fade = SmoothStep(0.03f, 0.6f, depth);
  Rgb colour = Mix(Hex(0x1A0828), Hex(0x05020A), depth);
  colour = colour + Hex(0x30E8FF) * (std::max(lineX, lineZ) * fade);
  return colour + Hex(0xFF3090) * (0.5f * std::exp(-(y - kHorizon) / 6));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: vex-bannergen OUTPUT.cpp\n");
    return 2;
  }
  Plane title(kBannerWidth, kBannerHeight), tagline(kBannerWidth, kBannerHeight);
  constexpr int kBaseline = 96;
  PaintLine(kTitleFont, 50, 1.0f, "The Vexilograph", kBannerWidth / 2.f, kBaseline, title);
  PaintLine(kTaglineFont, 13, 1.3f, "A REAL-TIME AUDIOVISUAL DEMO", kBannerWidth / 2.f, 150, tagline);
  const Plane glow = Blur(title, 5, 3);
  const Plane outline = Blur(title, 2, 1);
  const Plane taglineShadow = Blur(tagline, 2, 2);
  Canvas canvas(kBannerWidth, kBannerHeight, 3);
  for (int y = 0; y < kBannerHeight; ++y) {
    for (int x = 0; x < kBannerWidth; ++x) {
      Rgb colour = y < kHorizon ? Sky(x, y) : Floor(x, y);
      colour = colour + Hex(0x20C8FF) * (1.1f * glow.At(x, y));
      colour = Mix(colour, Hex(0x05020C), SmoothStep(0.02f, 0.25f, outline.At(x, y)));
      // Chrome: sky-blue to white above a sharp horizon line inside the letters, copper to gold below.
      const float k = (y - (kBaseline - 37)) / 38.f;
      Rgb chrome = k < 0.55f ? Mix(Hex(0x2050C0), Hex(0xF4F8FF), std::pow(std::clamp(k / 0.55f, 0.f, 1.f), 0.7f))
                             : Mix(Hex(0x401000), Hex(0xFFD890), std::clamp((k - 0.55f) / 0.45f, 0.f, 1.f));
      chrome = chrome + Hex(0xFFFFFF) * (0.5f * std::exp(-std::pow((k - 0.53f) / 0.03f, 2.f)));
      colour = Mix(colour, chrome, title.At(x, y));
      colour = Mix(colour, Hex(0x05020C), std::min(1.f, 2.5f * taglineShadow.At(x, y)) * 0.8f);
      colour = Mix(colour, Hex(0xC8D0E8), tagline.At(x, y));
      canvas.Set(x, y, colour);
    }
  }
  const PngImage image = ToImage(canvas);
  std::FILE* out = std::fopen(argv[1], "w");
  if (!out) {
    std::fprintf(stderr, "vex-bannergen: cannot write %s\n", argv[1]);
    return 1;
  }
  std::fprintf(out, "// Generated by vex-bannergen; do not edit.\n#include \"shell/BannerImage.h\"\n\n");
  std::fprintf(out, "const unsigned char kBannerRgb[kBannerWidth * kBannerHeight * 3] = {\n");
  for (size_t i = 0; i < image.pixels.size(); ++i) std::fprintf(out, "%d,%s", image.pixels[i], (i % 24 == 23) ? "\n" : "");
  std::fprintf(out, "};\n");
  return std::fclose(out) == 0 ? 0 : 1;
}
