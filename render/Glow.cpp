// Placeholder glow until the toolkit lands.
#include "render/Glow.h"

bool CreateRenderTextures() { return true; }
void DrawGlow(float, float, float, float) {}
void DrawRectQuad(int, int, int, int) {}
