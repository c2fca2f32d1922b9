// The per-frame glow filter and the two rectangle render textures it works in.
#pragma once

bool CreateRenderTextures();
void DrawGlow(float a, float b, float c, float d);
void DrawRectQuad(int w, int h, int x0, int y0);
