// The glow's passes under fog merged by fragment programs that fog each pass's colour and cut it
// to 8 bits as the separate blended passes store it, before adding them.
#pragma once
#include "platform/Gl.h"

// Compiles the programs once; false where fragment programs are missing or one does not compile.
bool CreateFoggedGlowPrograms();
// The fog factor the fixed-function pipeline applies to a quad at eye distance 1 (the glow's
// passes) under linear fog from start to end, in its own single-precision steps.
float LinearFogAtUnitDistance(float start, float end);
// The same for the fog range in force.
float CurrentFogAtUnitDistance();
// True when fog is on as the program reproduces it: linear, black, and coordinates from depth.
bool FogIsLinearBlack();
// One full-viewport quad: the half texture stretched (filtered as bound) once per layer, plus the
// frame texture texel for texel, each modulated by the current colour, fogged by fogFactor and
// rounded to 8 bits, summed with saturation. Blending must be off. Leaves unit 0 active with the
// frame texture bound on it.
void DrawFoggedLayers(GLuint half, int halfWidth, int halfHeight, GLuint frame, int width, int height, int layers,
                      float fogFactor);
// One viewport-covering quad summing, with saturation, the taps' blended products: each tap is
// the half texture over the texel rectangle (x0 + shift, ...), modulated by the current colour,
// fogged, cut to 8 bits and weighed by the colour's alpha as blending (source alpha, 8 bits)
// weighs it. The taps sit in texture units 0.. in the order given; kFoggedBlurTaps of them.
constexpr int kFoggedBlurTaps = 7;
void DrawFoggedBlur(GLuint half, int halfWidth, int halfHeight, const int (*shifts)[2], float fogFactor);
