// Cube geometry and the marching-cubes lookup tables for this corner and edge numbering.
//
// Corners of the cell with origin (x, y, z) and cell size s; a cell reaches toward +x, +y and −z:
//   0 (x, y+s, z)    1 (x+s, y+s, z)    2 (x+s, y+s, z−s)    3 (x, y+s, z−s)
//   4 (x, y, z)      5 (x+s, y, z)      6 (x+s, y, z−s)      7 (x, y, z−s)
// Edges 0–3 run round the y+s face, 4–7 round the y face, 8–11 join the two faces.
#pragma once
#include <array>
#include <cstdint>

// Corner offsets in cells along x, y, z.
constexpr int8_t kCubeCornerSteps[8][3] = {
    {0, 1, 0}, {1, 1, 0}, {1, 1, -1}, {0, 1, -1}, {0, 0, 0}, {1, 0, 0}, {1, 0, -1}, {0, 0, -1},
};

// Each edge as (first corner, second corner); crossing points are taken in this direction.
constexpr int8_t kCubeEdgeCorners[12][2] = {
    {0, 1}, {1, 2}, {2, 3}, {3, 0}, {4, 5}, {5, 6}, {6, 7}, {7, 4}, {0, 4}, {1, 5}, {2, 6}, {3, 7},
};

// For a cube index (bit i set when corner i is below the threshold), the edges whose corners
// classify differently.
constexpr std::array<uint16_t, 256> DeriveEdgeTable() {
  std::array<uint16_t, 256> table{};
  for (int index = 0; index < 256; ++index) {
    for (int edge = 0; edge < 12; ++edge) {
      const bool firstBelow = (index >> kCubeEdgeCorners[edge][0]) & 1;
      const bool secondBelow = (index >> kCubeEdgeCorners[edge][1]) & 1;
      if (firstBelow != secondBelow) table[index] = static_cast<uint16_t>(table[index] | (1 << edge));
    }
  }
  return table;
}
inline constexpr std::array<uint16_t, 256> kEdgeTable = DeriveEdgeTable();

// Up to five triangles per cube index as consecutive edge-number triples, ended by −1.
extern const int8_t kTriangleTable[256][16];
