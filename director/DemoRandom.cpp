// The linear congruential generator shared by start-up and the metaball phases.
#include "director/DemoRandom.h"

namespace {
uint32_t demoRandomState = 1;
}

int DemoRandom() {
  demoRandomState = demoRandomState * 214013u + 2531011u;
  return static_cast<int>((demoRandomState >> 16) & 0x7FFF);
}

void ResetDemoRandom() { demoRandomState = 1; }
