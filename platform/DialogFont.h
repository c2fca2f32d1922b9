// The dialog font's metrics the way Windows derives a dialog's base units from them.
#pragma once

struct DialogFontMetrics {
  int baseUnitX;       // pixels per 4 horizontal dialog units: the letters' average width
  int baseUnitY;       // pixels per 8 vertical dialog units: the font's cell height
  float cellPixels;    // ascender to descender, the size a text renderer is asked for
  bool measured;       // false when the font file could not be read
};

// The font at that point size and resolution: the em rounded to whole pixels, the average
// width from the hinted advances of A-Z and a-z, the height from the ascent and descent Windows
// uses. An unreadable file gives the 7 x 13 units of the renderer's built-in 13-pixel font,
// so the layout still fits the text drawn then.
DialogFontMetrics MeasureDialogFont(const char* path, int points, int dotsPerInch);
