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
  float xScale;       // glyphs are widened to fill their square cells...
  float narrowScale;  // ...unless that would push a wide glyph (M, W, @) into the cell border
  int baseline;       // rows from the top of the cell
};

constexpr CellStyle kStyles[2] = {
    {"DejaVuSansMono-Bold.ttf", 28, 1.55f, 1.3f, 23},
    {"DejaVuSerif-BoldItalic.ttf", 26, 1.15f, 0.95f, 23},
};

// Coverage columns used by the glyph in a cell plane: true if it keeps 2 clear columns each side.
bool FitsAcross(const Plane& cell) {
  for (int y = 0; y < cell.height; ++y) {
    for (int x : {0, 1, cell.width - 2, cell.width - 1}) {
      if (cell.At(x, y) > 0) return false;
    }
  }
  return true;
}

void PaintCentred(GlyphFace* face, unsigned code, int baseline, Plane& cell) {
  std::fill(cell.values.begin(), cell.values.end(), 0.f);
  PaintGlyph(face, code, (kCell - GlyphAdvance(face, code)) / 2, baseline, cell);
}

// Paints ASCII 32-126 into the cells starting at firstCell of an upright sheet.
void PaintStyle(const CellStyle& style, int firstCell, Plane& sheet) {
  const std::string path = std::string(kFontDirectory) + style.file;
  GlyphFace* wide = OpenGlyphFace(path, style.pixelSize, style.xScale);
  GlyphFace* narrow = OpenGlyphFace(path, style.pixelSize, style.narrowScale);
  Plane cell(kCell, kCell);
  for (unsigned code = 32; code <= 126; ++code) {
    PaintCentred(wide, code, style.baseline, cell);
    if (!FitsAcross(cell)) PaintCentred(narrow, code, style.baseline, cell);
    const int index = firstCell + static_cast<int>(code) - 32;
    const int left = (index % kGrid) * kCell, top = (index / kGrid) * kCell;
    // The outermost ring stays clear so that nearest sampling never picks up a neighbour.
    for (int y = 1; y < kCell - 1; ++y) {
      for (int x = 1; x < kCell - 1; ++x) sheet.At(left + x, top + y) = cell.At(x, y);
    }
  }
  CloseGlyphFace(wide);
  CloseGlyphFace(narrow);
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
