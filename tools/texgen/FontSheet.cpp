// The font sheet: 16 x 16 cells of 32 pixels, white with the glyph coverage in alpha. Cells 0-94
// hold ASCII 32-126 in a wide bold face, cells 128-222 the same characters in a bold italic
// serif. The sheet is stored upside down (cell 0 in the bottom-left corner, each glyph
// inverted) because the text renderer maps the file's top row to the bottom of its glyphs.
#include <algorithm>

#include "tools/texgen/Glyphs.h"
#include "tools/texgen/Textures.h"

namespace {

constexpr int kCell = 32;
constexpr int kGrid = 16;
constexpr const char* kFontDirectory = "/usr/share/fonts/truetype/dejavu/";

struct CellStyle {
  const char* file;
  int pixelSize;
  float xScale;
  int baseline;  // rows from the top of the cell
};

constexpr CellStyle kStyles[2] = {
    {"DejaVuSansMono-Bold.ttf", 28, 1.35f, 23},
    {"DejaVuSerif-BoldItalic.ttf", 26, 1.1f, 23},
};

// Paints ASCII 32-126 into the cells starting at firstCell of an upright sheet.
void PaintStyle(const CellStyle& style, int firstCell, Plane& sheet) {
  GlyphFace* face = OpenGlyphFace(std::string(kFontDirectory) + style.file, style.pixelSize, style.xScale);
  Plane cell(kCell, kCell);
  for (unsigned code = 32; code <= 126; ++code) {
    std::fill(cell.values.begin(), cell.values.end(), 0.f);
    const float pen = (kCell - GlyphAdvance(face, code)) / 2;
    PaintGlyph(face, code, pen, style.baseline, cell);
    const int index = firstCell + static_cast<int>(code) - 32;
    const int left = (index % kGrid) * kCell, top = (index / kGrid) * kCell;
    // The outermost ring stays clear so that nearest sampling never picks up a neighbour.
    for (int y = 1; y < kCell - 1; ++y) {
      for (int x = 1; x < kCell - 1; ++x) sheet.At(left + x, top + y) = cell.At(x, y);
    }
  }
  CloseGlyphFace(face);
}

}  // namespace

Canvas MakeFont() {
  Plane sheet(kCell * kGrid, kCell * kGrid);
  PaintStyle(kStyles[0], 0, sheet);
  PaintStyle(kStyles[1], 128, sheet);
  Canvas canvas(sheet.width, sheet.height, 4);
  for (int y = 0; y < sheet.height; ++y) {
    for (int x = 0; x < sheet.width; ++x) {
      float* p = canvas.At(x, y);
      p[0] = p[1] = p[2] = 1;
      p[3] = sheet.At(x, y);
    }
  }
  FlipVertical(canvas);
  return canvas;
}
