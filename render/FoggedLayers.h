// The glow's layers and sharp frame under fog in one pass: a fragment program that fogs and cuts
// each pass's colour to 8 bits, as the separate blended passes store it, before adding them.
#pragma once
#include "render/Gl.h"

// Compiles the program once; false where fragment programs are missing or it does not compile.
bool CreateFoggedLayersProgram();
// The fog factor the fixed-function pipeline applies to a quad at eye distance 1 (the glow's
// passes) under linear fog from start to end, in its own single-precision steps.
float LinearFogAtUnitDistance(float start, float end);
// True when fog is on as the program reproduces it: linear, black, and coordinates from depth.
bool FogIsLinearBlack();
// One full-viewport quad: the half texture stretched (filtered as bound) once per layer, plus the
// frame texture texel for texel, each modulated by the current colour, fogged by fogFactor and
// rounded to 8 bits, summed with saturation. Blending must be off. Leaves unit 0 active with the
// frame texture bound on it.
void DrawFoggedLayers(GLuint half, int halfWidth, int halfHeight, GLuint frame, int width, int height, int layers,
                      float fogFactor);
