// The bitmap font: a 16 x 16 grid of glyph cells in the font texture, one display list per
// cell, printed in the 640 x 480 text space with additive blending.
#include "render/Font.h"

#include "director/DemoState.h"
#include "render/Caption.h"
#include "platform/Gl.h"

unsigned int fontBase = 0;

namespace {
constexpr int kGlyphCount = 256;
constexpr int kGlyphSize = 16;  // text-space units, also the pen advance

// The display list a character calls in a set, or -1 when no glyph exists for it.
int GlyphFor(unsigned char code, int set) {
  const int glyph = code - 32 + 128 * set;
  return glyph >= 0 && glyph < kGlyphCount ? glyph : -1;
}
}  // namespace

// The loader puts the file's top row at t = 0, so glyph g comes from cell row 15 - g / 16 of
// the file and each cell is drawn upside down: the file holds its cells flipped.
void BuildFont() {
  fontBase = glGenLists(kGlyphCount);
  glBindTexture(GL_TEXTURE_2D, textureTable.font);
  for (int g = 0; g < kGlyphCount; ++g) {
    const float cx = static_cast<float>(g % 16) / 16;
    const float tt = 1 - static_cast<float>(g / 16) / 16;
    const float tb = tt - 1.0f / 16;
    glNewList(fontBase + g, GL_COMPILE);
    glBegin(GL_QUADS);
    glTexCoord2f(cx, tb);
    glVertex2i(0, 0);
    glTexCoord2f(cx + 1.0f / 16, tb);
    glVertex2i(kGlyphSize, 0);
    glTexCoord2f(cx + 1.0f / 16, tt);
    glVertex2i(kGlyphSize, kGlyphSize);
    glTexCoord2f(cx, tt);
    glVertex2i(0, kGlyphSize);
    glEnd();
    glTranslated(kGlyphSize, 0, 0);
    glEndList();
  }
}

void PrintText(int x, int y, const char* text, int set, float scale) {
  if (set > 1) set = 1;
  if (set < 0) set = 0;
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, textureTable.font);
  glDisable(GL_DEPTH_TEST);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0, 640, 0, 480, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glTranslatef(static_cast<float>(x), static_cast<float>(y), 0);
  glScalef(scale, scale, scale);
  // Characters without a glyph are skipped rather than sent, so they can never call display
  // lists that belong to someone else; runs of printable characters go in one call each.
  glListBase(fontBase - 32 + 128 * set);
  const auto* codes = reinterpret_cast<const unsigned char*>(text);
  for (int i = 0; codes[i];) {
    int end = i;
    while (codes[end] && GlyphFor(codes[end], set) >= 0) ++end;
    if (end > i) glCallLists(end - i, GL_UNSIGNED_BYTE, codes + i);
    i = codes[end] ? end + 1 : end;
  }
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
  glEnable(GL_DEPTH_TEST);
  glDisable(GL_TEXTURE_2D);
}

void DrawCaptionStage(int x, int y, float stageStart, const char* incoming, const char* outgoing, float scale,
                      int length) {
  char shown[kCaptionMaxLength + 1];
  ComposeCaptionStage(shown, CaptionRevealed(DemoClock - stageStart), incoming, outgoing, length);
  PrintText(x, y, shown, 0, scale);
}

void DrawCreditCaption(int x, int y, float start, float duration, const char* text, const char* digits,
                       float scale, int length) {
  const CaptionStage stage = CaptionStageAt(DemoClock, start, duration, text, digits);
  if (stage.visible) DrawCaptionStage(x, y, stage.stageStart, stage.incoming, stage.outgoing, scale, length);
}
