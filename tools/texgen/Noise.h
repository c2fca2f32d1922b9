// Deterministic hashing and noise: periodic 2D gradient noise and fBm (for textures that tile),
// 3D gradient noise (for maps wrapped on spheres) and periodic cellular noise.
#pragma once
#include <cstdint>

uint32_t Hash(int x, int y, int z, uint32_t seed);
// Uniform in [0, 1).
float HashUnit(int x, int y, int z, uint32_t seed);

// Gradient noise in about -1..1 with a lattice that repeats every periodX x periodY cells.
float PeriodicNoise(float x, float y, int periodX, int periodY, uint32_t seed);

// Octaves of PeriodicNoise; x and y are in base lattice cells, so the sum repeats every
// periodX x periodY base cells. Each octave doubles the frequency and multiplies amplitude by gain.
// The result is normalised to about -1..1.
float PeriodicFbm(float x, float y, int periodX, int periodY, int octaves, float gain, uint32_t seed);

// Like PeriodicFbm with the absolute value of each octave: billowy, turbulent, about 0..1.
float PeriodicTurbulence(float x, float y, int periodX, int periodY, int octaves, float gain, uint32_t seed);

float Noise3(float x, float y, float z, uint32_t seed);
float Fbm3(float x, float y, float z, int octaves, float gain, uint32_t seed);

struct CellularResult {
  float nearest = 0;  // distance to the nearest feature point, in cells
  float second = 0;   // distance to the second nearest
  uint32_t id = 0;    // hash of the nearest point's cell, for per-cell colours
};

// Worley noise with one jittered point per cell, repeating every periodX x periodY cells.
CellularResult PeriodicCellular(float x, float y, int periodX, int periodY, uint32_t seed);

float SmoothStep(float edge0, float edge1, float x);
