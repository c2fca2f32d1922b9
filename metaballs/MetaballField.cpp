// Field values through the per-cell cache, classification against the threshold, and the
// linear crossing point on a cube edge.
#include "metaballs/MetaballField.h"

#include <cstring>

MetaballField::MetaballField(int32_t ballCount, int32_t radius, int32_t cellsPerAxis, FieldExtent extent,
                             const GridPoint* ballPositions)
    : ballCount(ballCount),
      cellsPerAxis(cellsPerAxis),
      threshold(static_cast<float>(1.0 / (radius * radius + 1))),
      ballPositions(ballPositions),
      cellSize{extent.x / cellsPerAxis, extent.y / cellsPerAxis, extent.z / cellsPerAxis},
      halfExtent{extent.x / 2, extent.y / 2, extent.z / 2},
      valueCache(new float[cellsPerAxis * cellsPerAxis * cellsPerAxis]()) {}

MetaballField::~MetaballField() {
  delete[] valueCache;
  valueCache = nullptr;
}

float MetaballField::Value(GridPoint p) {
  if (!IsInsideExtent(p, halfExtent)) return -1.0f;
  return CellValue(p, CellSlot(p, halfExtent, cellSize, cellsPerAxis));
}

float MetaballField::SumOverBalls(int32_t x, int32_t y, int32_t z) const {
  // Squared distances stay in integers; only the reciprocal needs floating point.
  auto term = [&](int32_t b) {
    const GridPoint& ball = ballPositions[b];
    const int32_t dx = x - ball.x;
    const int32_t dy = y - ball.y;
    const int32_t dz = z - ball.z;
    return 1.0f / static_cast<float>(dz * dz + dy * dy + dx * dx + 1);
  };
  // Four running sums keep the additions from waiting on one another.
  float s0 = 0, s1 = 0, s2 = 0, s3 = 0;
  int32_t b = 0;
  for (; b + 4 <= ballCount; b += 4) {
    s0 += term(b);
    s1 += term(b + 1);
    s2 += term(b + 2);
    s3 += term(b + 3);
  }
  for (; b < ballCount; ++b) s0 += term(b);
  return (s0 + s1) + (s2 + s3);
}

bool MetaballField::IsBelowThreshold(GridPoint p) { return Value(p) < threshold; }

GridPoint MetaballField::CrossingPoint(GridPoint p1, GridPoint p2) {
  const float a = Value(p1);
  const float b = Value(p2);
  return CrossingPoint(p1, a, p2, b);
}

void MetaballField::ClearCache() {
  std::memset(valueCache, 0, sizeof(float) * cellsPerAxis * cellsPerAxis * cellsPerAxis);
}
