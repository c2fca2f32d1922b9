// Screen-space layers over the 3D picture, drawn in the 800 x 600 overlay space (y down).
#pragma once

void Begin2D();
void End2D();
void DrawLetterbox();
void DrawCaptionBand();
void DrawWhiteFade(float a);
void DrawBlackFade(float a);
void DrawInvertFade(float a);
void DrawExplosionFlash(float a);
void DrawSpectrumBars();
void DrawSpectrumLines();
void DrawScanlines();
