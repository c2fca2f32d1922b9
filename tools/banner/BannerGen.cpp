// Renders the settings dialog's banner (title artwork on a dark gradient) and writes it as a C++
// source file holding the RGB bytes. Deterministic: no clock, no randomness beyond a fixed hash.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "shell/BannerImage.h"

namespace {

constexpr const char* kFontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

struct Canvas {
  std::vector<float> rgb = std::vector<float>(kBannerWidth * kBannerHeight * 3, 0.f);
  float* At(int x, int y) { return &rgb[(static_cast<size_t>(y) * kBannerWidth + x) * 3]; }
};

// Coverage of the title, one float per pixel, centred.
std::vector<float> RenderTitle(const char* text, int pixelHeight) {
  std::vector<float> mask(kBannerWidth * kBannerHeight, 0.f);
  FT_Library library;
  FT_Face face;
  if (FT_Init_FreeType(&library) || FT_New_Face(library, kFontPath, 0, &face)) {
    std::fprintf(stderr, "bannergen: cannot load %s\n", kFontPath);
    return mask;
  }
  FT_Set_Pixel_Sizes(face, 0, pixelHeight);
  int penWidth = 0;
  for (const char* c = text; *c; ++c) {
    FT_Load_Char(face, static_cast<unsigned char>(*c), FT_LOAD_DEFAULT);
    penWidth += static_cast<int>(face->glyph->advance.x >> 6);
  }
  int penX = (kBannerWidth - penWidth) / 2;
  const int baseline = kBannerHeight / 2 + pixelHeight / 3;
  for (const char* c = text; *c; ++c) {
    FT_Load_Char(face, static_cast<unsigned char>(*c), FT_LOAD_RENDER);
    const FT_Bitmap& bitmap = face->glyph->bitmap;
    for (unsigned row = 0; row < bitmap.rows; ++row) {
      for (unsigned col = 0; col < bitmap.width; ++col) {
        const int x = penX + face->glyph->bitmap_left + static_cast<int>(col);
        const int y = baseline - face->glyph->bitmap_top + static_cast<int>(row);
        if (x < 0 || y < 0 || x >= kBannerWidth || y >= kBannerHeight) continue;
        mask[y * kBannerWidth + x] = bitmap.buffer[row * bitmap.pitch + col] / 255.f;
      }
    }
    penX += static_cast<int>(face->glyph->advance.x >> 6);
  }
  FT_Done_Face(face);
  FT_Done_FreeType(library);
  return mask;
}

// Separable box blur, repeated for a soft glow.
std::vector<float> Blur(std::vector<float> mask, int radius, int passes) {
  std::vector<float> tmp(mask.size());
  for (int pass = 0; pass < passes; ++pass) {
    for (int axis = 0; axis < 2; ++axis) {
      for (int y = 0; y < kBannerHeight; ++y) {
        for (int x = 0; x < kBannerWidth; ++x) {
          float sum = 0;
          for (int k = -radius; k <= radius; ++k) {
            const int sx = axis == 0 ? std::clamp(x + k, 0, kBannerWidth - 1) : x;
            const int sy = axis == 1 ? std::clamp(y + k, 0, kBannerHeight - 1) : y;
            sum += mask[sy * kBannerWidth + sx];
          }
          tmp[y * kBannerWidth + x] = sum / (2 * radius + 1);
        }
      }
      mask.swap(tmp);
    }
  }
  return mask;
}

void PaintBackground(Canvas& canvas) {
  for (int y = 0; y < kBannerHeight; ++y) {
    for (int x = 0; x < kBannerWidth; ++x) {
      const float u = x / float(kBannerWidth - 1), v = y / float(kBannerHeight - 1);
      float* p = canvas.At(x, y);
      p[0] = 0.03f + 0.10f * u;
      p[1] = 0.02f + 0.05f * (1 - v);
      p[2] = 0.10f + 0.18f * (1 - u) * (1 - 0.5f * v);
      // A faint perspective grid toward the horizon at mid-height, as on a demo floor.
      if (v > 0.55f) {
        const float depth = (v - 0.55f) / 0.45f;
        const float lineZ = std::fabs(std::fmod(1.f / (depth + 0.05f), 1.f) - 0.5f);
        const float lineX = std::fabs(std::fmod((u - 0.5f) / (depth + 0.05f) * 4.f + 100.5f, 1.f) - 0.5f);
        const float grid = std::max(std::max(0.f, 1 - lineZ * 12), std::max(0.f, 1 - lineX * 10)) * depth;
        p[0] += 0.05f * grid;
        p[1] += 0.22f * grid;
        p[2] += 0.35f * grid;
      }
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: vex-bannergen OUTPUT.cpp\n");
    return 2;
  }
  Canvas canvas;
  PaintBackground(canvas);
  const std::vector<float> title = RenderTitle("The Vexilograph", 44);
  const std::vector<float> glow = Blur(title, 4, 3);
  for (int y = 0; y < kBannerHeight; ++y) {
    for (int x = 0; x < kBannerWidth; ++x) {
      float* p = canvas.At(x, y);
      const float g = glow[y * kBannerWidth + x] * 2.2f, t = title[y * kBannerWidth + x];
      const float v = y / float(kBannerHeight - 1);
      p[0] += 0.2f * g;
      p[1] += 0.9f * g;
      p[2] += 0.3f * g;
      // Chrome-like fill: bright at the top of the letters, green toward the bottom.
      const float shade = 0.6f + 0.4f * std::cos(v * 6.f);
      p[0] = p[0] * (1 - t) + t * (0.75f * shade + 0.2f);
      p[1] = p[1] * (1 - t) + t * (0.95f);
      p[2] = p[2] * (1 - t) + t * (0.7f * shade + 0.2f);
    }
  }
  std::FILE* out = std::fopen(argv[1], "w");
  if (!out) {
    std::fprintf(stderr, "vex-bannergen: cannot write %s\n", argv[1]);
    return 1;
  }
  std::fprintf(out, "// Generated by vex-bannergen; do not edit.\n#include \"shell/BannerImage.h\"\n\n");
  std::fprintf(out, "const unsigned char kBannerRgb[kBannerWidth * kBannerHeight * 3] = {\n");
  for (size_t i = 0; i < canvas.rgb.size(); ++i) {
    const int byte = static_cast<int>(std::lround(std::clamp(canvas.rgb[i], 0.f, 1.f) * 255.f));
    std::fprintf(out, "%d,%s", byte, (i % 24 == 23) ? "\n" : "");
  }
  std::fprintf(out, "};\n");
  return std::fclose(out) == 0 ? 0 : 1;
}
