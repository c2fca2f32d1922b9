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
  // Below the threshold means outside the blob; points outside the extent are below.
  bool IsBelowThreshold(GridPoint p);
  // Where the surface crosses p1–p2, truncated toward zero; only for edges whose ends classify
  // differently, so the two values differ.
  GridPoint CrossingPoint(GridPoint p1, GridPoint p2);
  void ClearCache();
};

// The show's field over BallPositions.
extern MetaballField metaballField;

// Draws the balls' fixed phases (36 values of the shared generator) and zeroes their positions.
void InitBallPhases();
// Moves every ball to its place at demo time t (seconds); a pure function of t and the phases.
void UpdateBallPositions(float t);
