// Glyph coverage from TrueType fonts through FreeType, for the font sheet and the banner title.
#pragma once
#include <string>

#include "tools/texgen/Canvas.h"

struct GlyphFace;

// Opens a font at a pixel size; xScale widens (>1) or narrows the glyphs. Returns null with a
// message on stderr if the font cannot be opened.
GlyphFace* OpenGlyphFace(const std::string& path, int pixelSize, float xScale = 1);
void CloseGlyphFace(GlyphFace* face);

// Horizontal advance of a character in pixels (0 for characters the font lacks).
float GlyphAdvance(GlyphFace* face, unsigned code);
// Paints the character's coverage with its pen origin at (penX, baselineY); y runs downwards.
// Coverage is combined by maximum, clipped to the plane.
void PaintGlyph(GlyphFace* face, unsigned code, float penX, int baselineY, Plane& plane);
