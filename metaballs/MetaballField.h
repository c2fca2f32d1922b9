// The scalar field of twelve moving balls: a sum of 1 / (d² + 1) terms sampled on a 40³ lattice,
// with a per-cell cache that is cleared once per metaball frame.
#pragma once
#include <cstdint>

#include "metaballs/GridPoint.h"

constexpr int32_t kBallCount = 12;
constexpr int32_t kBallRadius = 14;  // only sets the threshold, 1 / (R² + 1)
constexpr int32_t kCellsPerAxis = 40;
constexpr int32_t kLatticeCellCount = kCellsPerAxis * kCellsPerAxis * kCellsPerAxis;

// Field size per axis in field units; the field spans [-extent / 2, extent / 2).
struct FieldExtent {
  int32_t x, y, z;
};

// Ball centres in field units, rewritten from demo time in every metaball frame.
extern GridPoint BallPositions[kBallCount];
// Per-ball phase offsets in whole radians, drawn once at start-up.
extern GridPoint BallPhases[kBallCount];

struct MetaballField {
  int32_t ballCount;
  int32_t cellsPerAxis;
  float threshold;
  const GridPoint* ballPositions;  // not owned
  GridPoint cellSize;
  GridPoint halfExtent;
  float* valueCache;  // cellsPerAxis³ slots, one per cell; 0 = not computed since the last clear

  MetaballField(int32_t ballCount, int32_t radius, int32_t cellsPerAxis, FieldExtent extent,
                const GridPoint* ballPositions);
  ~MetaballField();
  MetaballField(const MetaballField&) = delete;
  MetaballField& operator=(const MetaballField&) = delete;

  // −1 outside the extent (nothing cached). Inside, the first point of a cell evaluated since the
  // last clear supplies the value for every point of that cell.
  float Value(GridPoint p);
  // Value for a point inside the extent whose cell slot the caller already knows.
  float CellValue(GridPoint p, int32_t slot);
  // Below the threshold means outside the blob; points outside the extent are below.
  bool IsBelowThreshold(GridPoint p);
  // Where the surface crosses p1–p2, truncated toward zero; only for edges whose ends classify
  // differently, so the two values differ.
  GridPoint CrossingPoint(GridPoint p1, GridPoint p2);
  // The same from the two values already read at p1 and p2.
  GridPoint CrossingPoint(GridPoint p1, float a, GridPoint p2, float b) const;
  void ClearCache();
  // The uncached field at (x, y, z): the sum of every ball's 1 / (d² + 1).
  float SumOverBalls(int32_t x, int32_t y, int32_t z) const;
};

inline float MetaballField::CellValue(GridPoint p, int32_t slot) {
  float& cached = valueCache[slot];
  if (cached == 0) cached = SumOverBalls(p.x, p.y, p.z);
  return cached;
}

inline GridPoint MetaballField::CrossingPoint(GridPoint p1, float a, GridPoint p2, float b) const {
  const float k = threshold - a;
  const float span = b - a;
  // Along an axis where the ends agree the formula gives the end exactly, so skip it.
  auto axis = [&](int32_t from, int32_t to) {
    if (from == to) return from;
    return static_cast<int32_t>(static_cast<float>(to - from) * k / span + static_cast<float>(from));
  };
  return {axis(p1.x, p2.x), axis(p1.y, p2.y), axis(p1.z, p2.z)};
}

// The show's field over BallPositions.
extern MetaballField metaballField;

// Draws the balls' fixed phases (36 values of the shared generator) and zeroes their positions.
void InitBallPhases();
// Moves every ball to its place at demo time t (seconds); a pure function of t and the phases.
void UpdateBallPositions(float t);
