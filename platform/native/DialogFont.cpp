// Dialog base units from a TrueType font, measured with FreeType.
#include "platform/DialogFont.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <cmath>
#include <initializer_list>

namespace {

constexpr DialogFontMetrics kBuiltInFont = {7, 13, 13.0f, false};
constexpr int kPointsPerInch = 72;

// The 52 letters' advances, summed; Windows takes (sum / 26 + 1) / 2 as the average width.
int AverageLetterWidth(FT_Face face) {
  long sum = 0;
  for (const char* range : {"AZ", "az"}) {
    for (char letter = range[0]; letter <= range[1]; ++letter) {
      if (FT_Load_Char(face, static_cast<FT_ULong>(letter), FT_LOAD_DEFAULT)) return 0;
      sum += (face->glyph->advance.x + 32) >> 6;
    }
  }
  return static_cast<int>((sum / 26 + 1) / 2);
}

DialogFontMetrics Measure(FT_Face face, int emPixels) {
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (!os2 || face->units_per_EM == 0 || FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(emPixels))) {
    return kBuiltInFont;
  }
  const double scale = static_cast<double>(emPixels) / face->units_per_EM;
  DialogFontMetrics metrics;
  metrics.baseUnitX = AverageLetterWidth(face);
  metrics.baseUnitY = static_cast<int>(std::lround(os2->usWinAscent * scale) + std::lround(os2->usWinDescent * scale));
  metrics.cellPixels = static_cast<float>((face->ascender - face->descender) * scale);
  metrics.measured = true;
  return metrics.baseUnitX > 0 ? metrics : kBuiltInFont;
}

}  // namespace

DialogFontMetrics MeasureDialogFont(const char* path, int points, int dotsPerInch) {
  // A font asked for in points gets a whole number of pixels for its em.
  const int emPixels = (points * dotsPerInch + kPointsPerInch / 2) / kPointsPerInch;
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library)) return kBuiltInFont;
  DialogFontMetrics metrics = kBuiltInFont;
  FT_Face face = nullptr;
  if (!FT_New_Face(library, path, 0, &face)) {
    metrics = Measure(face, emPixels);
    FT_Done_Face(face);
  }
  FT_Done_FreeType(library);
  return metrics;
}
