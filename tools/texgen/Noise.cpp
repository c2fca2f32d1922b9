// Noise functions. Gradients come from a hash of the wrapped lattice point, so any period works.
#include "tools/texgen/Noise.h"

#include <algorithm>
#include <cmath>

namespace {

int Wrap(int i, int period) { return ((i % period) + period) % period; }

float Fade(float t) { return t * t * t * (t * (t * 6 - 15) + 10); }

float Lerp(float a, float b, float t) { return a + (b - a) * t; }

// Dot product of the lattice point's unit gradient with the offset to it.
float Gradient2(int ix, int iy, uint32_t seed, float dx, float dy) {
  const float angle = HashUnit(ix, iy, 0, seed) * 6.2831853f;
  return std::cos(angle) * dx + std::sin(angle) * dy;
}

// Twelve edge directions of a cube, the classic well-spread set for 3D gradient noise.
float Gradient3(int ix, int iy, int iz, uint32_t seed, float dx, float dy, float dz) {
  switch (Hash(ix, iy, iz, seed) % 12) {
    case 0: return dx + dy;
    case 1: return -dx + dy;
    case 2: return dx - dy;
    case 3: return -dx - dy;
    case 4: return dx + dz;
    case 5: return -dx + dz;
    case 6: return dx - dz;
    case 7: return -dx - dz;
    case 8: return dy + dz;
    case 9: return -dy + dz;
    case 10: return dy - dz;
    default: return -dy - dz;
  }
}

}  // namespace

uint32_t Hash(int x, int y, int z, uint32_t seed) {
  uint32_t h = seed * 0x9E3779B9u;
  h ^= static_cast<uint32_t>(x) * 0x85EBCA6Bu;
  h = (h ^ (h >> 15)) * 0x2C1B3C6Du;
  h ^= static_cast<uint32_t>(y) * 0xC2B2AE35u;
  h = (h ^ (h >> 13)) * 0x297A2D39u;
  h ^= static_cast<uint32_t>(z) * 0x27D4EB2Fu;
  h = (h ^ (h >> 16)) * 0x85EBCA77u;
  return h ^ (h >> 15);
}

float HashUnit(int x, int y, int z, uint32_t seed) { return (Hash(x, y, z, seed) >> 8) * (1.f / 16777216.f); }

float PeriodicNoise(float x, float y, int periodX, int periodY, uint32_t seed) {
  const float fx = std::floor(x), fy = std::floor(y);
  const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
  const float dx = x - fx, dy = y - fy;
  const int x0 = Wrap(ix, periodX), x1 = Wrap(ix + 1, periodX);
  const int y0 = Wrap(iy, periodY), y1 = Wrap(iy + 1, periodY);
  const float n00 = Gradient2(x0, y0, seed, dx, dy);
  const float n10 = Gradient2(x1, y0, seed, dx - 1, dy);
  const float n01 = Gradient2(x0, y1, seed, dx, dy - 1);
  const float n11 = Gradient2(x1, y1, seed, dx - 1, dy - 1);
  const float u = Fade(dx), v = Fade(dy);
  return 1.41f * Lerp(Lerp(n00, n10, u), Lerp(n01, n11, u), v);
}

float PeriodicFbm(float x, float y, int periodX, int periodY, int octaves, float gain, uint32_t seed) {
  float sum = 0, amplitude = 1, norm = 0;
  for (int o = 0; o < octaves; ++o) {
    sum += amplitude * PeriodicNoise(x, y, periodX, periodY, seed + 7919u * o);
    norm += amplitude;
    amplitude *= gain;
    x *= 2, y *= 2, periodX *= 2, periodY *= 2;
  }
  return sum / norm;
}

float PeriodicTurbulence(float x, float y, int periodX, int periodY, int octaves, float gain, uint32_t seed) {
  float sum = 0, amplitude = 1, norm = 0;
  for (int o = 0; o < octaves; ++o) {
    sum += amplitude * std::fabs(PeriodicNoise(x, y, periodX, periodY, seed + 7919u * o));
    norm += amplitude;
    amplitude *= gain;
    x *= 2, y *= 2, periodX *= 2, periodY *= 2;
  }
  return sum / norm;
}

float Noise3(float x, float y, float z, uint32_t seed) {
  const float fx = std::floor(x), fy = std::floor(y), fz = std::floor(z);
  const int ix = static_cast<int>(fx), iy = static_cast<int>(fy), iz = static_cast<int>(fz);
  const float dx = x - fx, dy = y - fy, dz = z - fz;
  const float u = Fade(dx), v = Fade(dy), w = Fade(dz);
  float layers[2];
  for (int k = 0; k < 2; ++k) {
    const float a = Gradient3(ix, iy, iz + k, seed, dx, dy, dz - k);
    const float b = Gradient3(ix + 1, iy, iz + k, seed, dx - 1, dy, dz - k);
    const float c = Gradient3(ix, iy + 1, iz + k, seed, dx, dy - 1, dz - k);
    const float d = Gradient3(ix + 1, iy + 1, iz + k, seed, dx - 1, dy - 1, dz - k);
    layers[k] = Lerp(Lerp(a, b, u), Lerp(c, d, u), v);
  }
  return Lerp(layers[0], layers[1], w);
}

float Fbm3(float x, float y, float z, int octaves, float gain, uint32_t seed) {
  float sum = 0, amplitude = 1, norm = 0;
  for (int o = 0; o < octaves; ++o) {
    sum += amplitude * Noise3(x, y, z, seed + 7919u * o);
    norm += amplitude;
    amplitude *= gain;
    // A slight offset per octave keeps lattice planes of the octaves from lining up.
    x = x * 2 + 17.3f, y = y * 2 + 5.1f, z = z * 2 + 11.7f;
  }
  return sum / norm;
}

CellularResult PeriodicCellular(float x, float y, int periodX, int periodY, uint32_t seed) {
  const int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
  CellularResult result{1e9f, 1e9f, 0};
  for (int cy = iy - 1; cy <= iy + 1; ++cy) {
    for (int cx = ix - 1; cx <= ix + 1; ++cx) {
      const int wx = Wrap(cx, periodX), wy = Wrap(cy, periodY);
      const float px = cx + HashUnit(wx, wy, 1, seed), py = cy + HashUnit(wx, wy, 2, seed);
      const float d = std::hypot(px - x, py - y);
      if (d < result.nearest) {
        result.second = result.nearest;
        result.nearest = d;
        result.id = Hash(wx, wy, 3, seed);
      } else if (d < result.second) {
        result.second = d;
      }
    }
  }
  return result;
}

float SmoothStep(float edge0, float edge1, float x) {
  const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.f, 1.f);
  return t * t * (3 - 2 * t);
}
