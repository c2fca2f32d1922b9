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
  float sum = 0;
  for (int32_t b = 0; b < ballCount; ++b) {
    const GridPoint& ball = ballPositions[b];
    const int32_t dx = x - ball.x;
    const int32_t dy = y - ball.y;
    const int32_t dz = z - ball.z;
    sum += 1.0f / static_cast<float>(dz * dz + dy * dy + dx * dx + 1);
  }
  return sum;
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
