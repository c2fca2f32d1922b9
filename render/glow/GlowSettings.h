// The glow's four parameters, and the cases the start-up self-check proves its shortcuts for.
#pragma once

// Frame + layers x blur(shrink(frame)^(trunc(powerPasses)+1)); each blur tap weighs
// gain / (2 radius + 1).
struct GlowSettings {
  float radius;       // the box blur reaches trunc(radius) texels of the half image to each side
  float powerPasses;  // the shrunk image is multiplied by the frame trunc(powerPasses) extra times
  float layers;       // laid over the frame once, plus once for every integer k with 1 <= k < layers
  float gain;         // total weight of one blur direction of integer radius
};

inline bool operator==(const GlowSettings& a, const GlowSettings& b) {
  return a.radius == b.radius && a.powerPasses == b.powerPasses && a.layers == b.layers && a.gain == b.gain;
}

// Linear black fog from start to end, as a scene leaves it on for the glow.
struct FogRange {
  float start, end;
};

// What the show draws the glow with: the settings of its windows unfogged, and the one setting
// of the windows whose scenes leave fog on, under each fog range those scenes set.
struct GlowCheckCases {
  const GlowSettings* unfogged;
  int unfoggedCount;
  GlowSettings fogged;
  const FogRange* fogRanges;
  int fogRangeCount;
};
