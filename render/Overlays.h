// Screen-space layers over the 3D picture, drawn in the 800 x 600 overlay space (y down).
#pragma once

void Begin2D();
// A rectangle of the overlay space, (x0, y0) to (x1, y1), as one quad in the layers' corner order.
void DrawOverlayQuad(float x0, float y0, float x1, float y1);
void End2D();
// The black bars over the top and bottom rows of the overlay space, drawn last in every frame.
constexpr int kLetterboxBarHeight = 70;
void DrawLetterbox();
void DrawCaptionBand();
// With the frame's shortcuts, fades and the flash send no quad where the clamped colour leaves
// every pixel as it is (alpha 0, or inversion strength 0); the state they leave is the same.
void DrawWhiteFade(float a);
void DrawBlackFade(float a);
void DrawInvertFade(float a);
void DrawExplosionFlash(float a);
void DrawSpectrumBars();
void DrawSpectrumLines();
void DrawScanlines();
