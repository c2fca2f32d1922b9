// Screen-space layers in the 800 x 600 overlay space (origin top left, y down). Each overlay
// sets the state it draws with and leaves behind what the next layers of the frame expect.
#include "render/Overlays.h"

#include "director/DemoState.h"
#include "platform/Gl.h"
#include "render/PassMode.h"
#include "render/RenderSize.h"

namespace {
constexpr float kOverlayWidth = 800;
constexpr float kOverlayHeight = 600;

void FullScreenQuad() { DrawOverlayQuad(0, 0, kOverlayWidth, kOverlayHeight); }

// Blending with a source alpha the pipeline clamps to 0 keeps the destination exactly.
bool ChangesNothing(float alpha) { return FramePassMode() == PassMode::shortcuts && !(alpha > 0); }

// A full-screen colour laid over the picture with ordinary alpha blending. Its depth writes
// at z = 0 are never read: the later layers at z = 0 pass LEQUAL there either way.
void FadeQuad(float r, float g, float b, float alpha) {
  Begin2D();
  glColor4f(r, g, b, alpha);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_BLEND);
  if (!ChangesNothing(alpha)) FullScreenQuad();
  // All four components: Mesa keeps the old alpha when a three-component colour follows a
  // four-component one with no vertex between them.
  glColor4f(1, 1, 1, 1);
  glDisable(GL_BLEND);
  End2D();
}
}  // namespace

void Begin2D() {
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0, kOverlayWidth, kOverlayHeight, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
}

void End2D() {
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
}

void DrawLetterbox() {
  Begin2D();
  // z = +1 is the near plane: the bars are never hidden by the scene's depth.
  glTranslatef(0, 0, 1);
  glColor3f(0, 0, 0);
  DrawOverlayQuad(0, 0, kOverlayWidth, kLetterboxBarHeight);
  DrawOverlayQuad(0, kOverlayHeight - kLetterboxBarHeight, kOverlayWidth, kOverlayHeight);
  glColor3f(1, 1, 1);
  End2D();
}

void DrawCaptionBand() {
  Begin2D();
  glTranslatef(0, 0, 1);
  glColor4f(0, 0, 0, 0.9f);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_BLEND);
  DrawOverlayQuad(0, 400, kOverlayWidth, 520);
  glColor3f(1, 1, 1);
  glDisable(GL_BLEND);
  End2D();
}

// Alpha is passed unclamped; the pipeline's colour clamp turns out-of-range fades into
// "nothing" or "fully covered".
void DrawWhiteFade(float a) { FadeQuad(1, 1, 1, a); }

void DrawBlackFade(float a) { FadeQuad(0, 0, 0, 1 - a); }

// Each channel d becomes a(1 - d) + d(1 - a): unchanged at 0, the negative image at 1.
// At strength 0 (clamped) the source is black and the destination is kept whole.
void DrawInvertFade(float a) {
  Begin2D();
  glColor4f(a, a, a, 1);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE_MINUS_DST_COLOR, GL_ONE_MINUS_SRC_COLOR);
  if (!ChangesNothing(a)) FullScreenQuad();
  glColor3f(1, 1, 1);
  glDisable(GL_BLEND);
  End2D();
}

// Mirrored left to right and overhanging the screen by 20 units right and below.
void DrawExplosionFlash(float a) {
  Begin2D();
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, Texture(TextureSlot::explode));
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glColor4f(1, 1, 1, a);
  if (!ChangesNothing(a)) {
    glBegin(GL_QUADS);
    glTexCoord2f(1, 0);
    glVertex2f(0, 0);
    glTexCoord2f(1, 1);
    glVertex2f(0, 620);
    glTexCoord2f(0, 1);
    glVertex2f(820, 620);
    glTexCoord2f(0, 0);
    glVertex2f(820, 0);
    glEnd();
  } else {
    glTexCoord2f(0, 0);  // as the quad leaves it, for anything that draws textured without one
  }
  glDisable(GL_BLEND);
  glDisable(GL_TEXTURE_2D);
  End2D();
}

// 32 translucent bars, each reaching 30 + 80 * band units above and below y = 320.
void DrawSpectrumBars() {
  Begin2D();
  glColor4f(1, 1, 1, 1);
  glDisable(GL_TEXTURE_2D);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glColor4f(1, 1, 1, 0.1f);
  glEnable(GL_BLEND);
  constexpr float kDirections[2] = {1, -1};  // above y = 320, then below
  for (const float direction : kDirections) {
    for (int k = 0; k < kSpectrumBandCount; ++k) {
      const float height = direction * (80 * SpectrumBands[k] + 30);
      glPushMatrix();
      glTranslatef(2 + 25.0f * k, 320, 0);
      DrawOverlayQuad(0, 0, 20, height);
      glPopMatrix();
    }
  }
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  End2D();
}

// 32 copies of the spectrum graph, 25 units apart, overlapping into one thick red band.
void DrawSpectrumLines() {
  Begin2D();
  glColor4f(1, 1, 1, 1);
  glDisable(GL_TEXTURE_2D);
  for (int k = 0; k < kSpectrumBandCount; ++k) {
    glPushMatrix();
    glTranslatef(2 + 25.0f * k, 320, 0);
    glLineWidth(ScreenPixels(6));
    glColor3f(1, 0, 0);
    glBegin(GL_LINE_STRIP);
    for (int i = 0; i < kSpectrumBandCount; ++i) glVertex2f(35.0f * i, -100 * SpectrumBands[i]);
    glEnd();
    glPopMatrix();
  }
  glDisable(GL_TEXTURE_2D);
  End2D();
}

// 120 lines two units high, one every five units. The shortcut sends them as one batch with
// the offset in the corners: at a whole multiple of 600 lines every edge lies on a pixel
// boundary, so a last-bit difference in the transform cannot move a pixel, and the depth stays
// at z = 0 either way. Other heights draw as written.
void DrawScanlines() {
  Begin2D();
  glColor4f(1, 1, 1, 0.12f);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_BLEND);
  glDisable(GL_TEXTURE_2D);
  if (FramePassMode() == PassMode::shortcuts && renderSize.height % 600 == 0) {
    glBegin(GL_QUADS);
    for (int y = 0; y < 600; y += 5) {
      const auto top = static_cast<float>(y);
      glVertex2f(0, top);
      glVertex2f(0, top + 2);
      glVertex2f(kOverlayWidth, top + 2);
      glVertex2f(kOverlayWidth, top);
    }
    glEnd();
  } else {
    for (int y = 0; y < 600; y += 5) {
      glPushMatrix();
      glTranslatef(0, static_cast<float>(y), 0);
      DrawOverlayQuad(0, 0, kOverlayWidth, 2);
      glPopMatrix();
    }
  }
  glDisable(GL_BLEND);
  End2D();
}

void DrawOverlayQuad(float x0, float y0, float x1, float y1) {
  glBegin(GL_QUADS);
  glVertex2f(x0, y0);
  glVertex2f(x0, y1);
  glVertex2f(x1, y1);
  glVertex2f(x1, y0);
  glEnd();
}
