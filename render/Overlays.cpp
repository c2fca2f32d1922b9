// Placeholder overlays until the toolkit lands.
#include "render/Overlays.h"

void Begin2D() {}
void End2D() {}
void DrawLetterbox() {}
void DrawCaptionBand() {}
void DrawSpectrumBars() {}
void DrawSpectrumLines() {}
void DrawScanlines() {}
void DrawWhiteFade(float) {}
void DrawBlackFade(float) {}
void DrawInvertFade(float) {}
void DrawExplosionFlash(float) {}
