// Integer points of the metaball lattice, in field units, and the cell slot they fall in.
#pragma once
#include <cstdint>

struct GridPoint {
  int32_t x, y, z;
  friend bool operator==(const GridPoint&, const GridPoint&) = default;
};

// Inside the half-open extent [-half, half) on every axis.
inline bool IsInsideExtent(GridPoint p, GridPoint halfExtent) {
  return p.x >= -halfExtent.x && p.y >= -halfExtent.y && p.z >= -halfExtent.z &&
         p.x < halfExtent.x && p.y < halfExtent.y && p.z < halfExtent.z;
}

// Slot of the lattice cell that holds p (p inside the extent): x fastest, then y, then z. The
// offsets are non-negative there, so the divisions floor.
inline int32_t CellSlot(GridPoint p, GridPoint halfExtent, GridPoint cellSize, int32_t cellsPerAxis) {
  return ((p.z + halfExtent.z) / cellSize.z * cellsPerAxis + (p.y + halfExtent.y) / cellSize.y) * cellsPerAxis +
         (p.x + halfExtent.x) / cellSize.x;
}
