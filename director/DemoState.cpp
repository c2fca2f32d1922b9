// Storage for the show's shared state.
#include "director/DemoState.h"

float DemoClock = 0;
float SpectrumBands[kSpectrumBandCount] = {};

const char* const kTextureStems[kTextureCount] = {
    "ball", "box", "check2", "stripes", "metal", "bubble", "laser", "stars", "planet", "explode", "fire",
    "pcb", "bars", "pcb2", "pcb3", "metal2", "gold", "envifoo", "explosion", "stripes3", "stripes2", "gromeyes"};

TextureTable textureTable = {};
DemoModels models = {};
Point3 cloudPoints[kRandomPointCount];
Point3 tunnelPoints[kRandomPointCount];
GLUquadric* sharedQuadric = nullptr;

void CopySpectrumBands(const float* spectrum) {
  for (int i = 0; i < kSpectrumBandCount; ++i) SpectrumBands[i] = spectrum[i];
}
