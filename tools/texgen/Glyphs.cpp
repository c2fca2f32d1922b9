// FreeType glyph rendering into coverage planes.
#include "tools/texgen/Glyphs.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdio>

struct GlyphFace {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
};

GlyphFace* OpenGlyphFace(const std::string& path, int pixelSize, float xScale) {
  auto* glyphs = new GlyphFace;
  if (FT_Init_FreeType(&glyphs->library) || FT_New_Face(glyphs->library, path.c_str(), 0, &glyphs->face) ||
      FT_Set_Pixel_Sizes(glyphs->face, 0, pixelSize)) {
    std::fprintf(stderr, "texgen: cannot load font %s\n", path.c_str());
    CloseGlyphFace(glyphs);
    return nullptr;
  }
  FT_Matrix widen = {static_cast<FT_Fixed>(std::lround(xScale * 65536.0)), 0, 0, 0x10000};
  FT_Set_Transform(glyphs->face, &widen, nullptr);
  return glyphs;
}

void CloseGlyphFace(GlyphFace* glyphs) {
  if (!glyphs) return;
  if (glyphs->face) FT_Done_Face(glyphs->face);
  if (glyphs->library) FT_Done_FreeType(glyphs->library);
  delete glyphs;
}

float GlyphAdvance(GlyphFace* glyphs, unsigned code) {
  if (!glyphs || FT_Load_Char(glyphs->face, code, FT_LOAD_DEFAULT)) return 0;
  return glyphs->face->glyph->advance.x / 64.f;
}

void PaintGlyph(GlyphFace* glyphs, unsigned code, float penX, int baselineY, Plane& plane) {
  if (!glyphs) return;
  // Subpixel pen placement goes through the transform's translation; hinting is off so the
  // widened outlines keep their shapes.
  const float whole = std::floor(penX);
  FT_Vector shift = {static_cast<FT_Pos>(std::lround((penX - whole) * 64)), 0};
  FT_Matrix keep;
  FT_Get_Transform(glyphs->face, &keep, nullptr);
  FT_Set_Transform(glyphs->face, &keep, &shift);
  const bool loaded = !FT_Load_Char(glyphs->face, code, FT_LOAD_RENDER | FT_LOAD_NO_HINTING);
  FT_Set_Transform(glyphs->face, &keep, nullptr);
  if (!loaded) return;
  const FT_GlyphSlot slot = glyphs->face->glyph;
  const FT_Bitmap& bitmap = slot->bitmap;
  for (unsigned row = 0; row < bitmap.rows; ++row) {
    for (unsigned col = 0; col < bitmap.width; ++col) {
      const int x = static_cast<int>(whole) + slot->bitmap_left + static_cast<int>(col);
      const int y = baselineY - slot->bitmap_top + static_cast<int>(row);
      if (x < 0 || y < 0 || x >= plane.width || y >= plane.height) continue;
      float& cell = plane.At(x, y);
      cell = std::max(cell, bitmap.buffer[row * bitmap.pitch + col] / 255.f);
    }
  }
}
