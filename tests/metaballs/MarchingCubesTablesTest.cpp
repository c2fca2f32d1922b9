// The lookup tables: the published rows, the edge table derived from the edge list, and a
// closed, consistently wound surface over a field of random signs.
#include <gtest/gtest.h>

#include <bitset>
#include <cstdint>
#include <memory>
#include <vector>

#include "MeshChecks.h"
#include "metaballs/MarchingCubesTables.h"
#include "metaballs/SurfacePolygoniser.h"

namespace {
std::vector<int> Row(int index) {
  std::vector<int> row;
  for (int i = 0; i < 16 && kTriangleTable[index][i] != -1; ++i) row.push_back(kTriangleTable[index][i]);
  return row;
}

TEST(MarchingCubesTables, KnownRowsAndTriangleCount) {
  EXPECT_TRUE(Row(0).empty());
  EXPECT_TRUE(Row(255).empty());
  EXPECT_EQ(Row(1), (std::vector<int>{0, 8, 3}));
  EXPECT_EQ(Row(2), (std::vector<int>{0, 1, 9}));
  EXPECT_EQ(Row(3), (std::vector<int>{1, 8, 3, 9, 8, 1}));
  EXPECT_EQ(Row(254), (std::vector<int>{0, 3, 8}));
  int triangles = 0;
  for (int index = 0; index < 256; ++index) {
    const std::vector<int> row = Row(index);
    ASSERT_LT(row.size(), 16u) << "row " << index << " lacks its terminator";
    ASSERT_EQ(row.size() % 3, 0u) << "row " << index;
    triangles += static_cast<int>(row.size() / 3);
  }
  EXPECT_EQ(triangles, 820);
}

TEST(MarchingCubesTables, EdgeTableMatchesThePublishedMasks) {
  EXPECT_EQ(kEdgeTable[0], 0x000);
  EXPECT_EQ(kEdgeTable[1], 0x109);
  EXPECT_EQ(kEdgeTable[2], 0x203);
  EXPECT_EQ(kEdgeTable[3], 0x30a);
  EXPECT_EQ(kEdgeTable[16], 0x190);
  EXPECT_EQ(kEdgeTable[128], 0x8c0);
  EXPECT_EQ(kEdgeTable[255], 0x000);
  for (int index = 0; index < 256; ++index) EXPECT_EQ(kEdgeTable[index], kEdgeTable[255 - index]);
}

TEST(MarchingCubesTables, EveryRowUsesExactlyTheCrossedEdges) {
  for (int index = 0; index < 256; ++index) {
    uint16_t used = 0;
    for (int edge : Row(index)) used = static_cast<uint16_t>(used | (1 << edge));
    EXPECT_EQ(used, kEdgeTable[index]) << "row " << index;
    // A triangle on two points of one edge would be degenerate.
    const std::vector<int> row = Row(index);
    for (size_t i = 0; i < row.size(); i += 3) {
      EXPECT_TRUE(row[i] != row[i + 1] && row[i + 1] != row[i + 2] && row[i] != row[i + 2]) << "row " << index;
    }
  }
}

TEST(MarchingCubesTables, RandomSignFieldGivesAClosedConsistentlyWoundSurface) {
  // Two planted values per lattice point put every crossing 2.26 or 2.74 units from a corner,
  // away from whole numbers, so neighbouring cells snap shared edge points identically.
  GridPoint noBalls[1] = {};
  MetaballField field(0, kBallRadius, kCellsPerAxis, {200, 200, 200}, noBalls);
  auto vertices = std::make_unique<GridPoint[]>(kSurfaceVertexCapacity);
  SurfacePolygoniser polygoniser({200, 200, 200}, field, vertices.get(), kSurfaceVertexCapacity);
  polygoniser.Clear();
  uint32_t state = 12345;
  std::bitset<256> seen;
  // Random points in one 20³ block clear of the extent's faces, the rest outside the blob, keep
  // the mesh closed and inside the buffer.
  for (int slot = 0; slot < kLatticeCellCount; ++slot) {
    state = state * 1664525u + 1013904223u;
    auto inRange = [](int cell) { return cell >= 5 && cell < 25; };
    const bool inBlock = inRange(slot % 40) && inRange(slot / 40 % 40) && inRange(slot / 1600);
    field.valueCache[slot] = inBlock && (state >> 16) % 2 == 0 ? 0.01f : 0.001f;
  }
  // Filling from every cell reaches each cell once and keeps the planted values.
  GridPoint origin;
  for (origin.z = -100; origin.z < 100; origin.z += 5)
    for (origin.y = -100; origin.y < 100; origin.y += 5)
      for (origin.x = -100; origin.x < 100; origin.x += 5) polygoniser.Fill(origin);
  ASSERT_GT(polygoniser.vertexCount, 0);
  ASSERT_LT(polygoniser.vertexCount, kSurfaceVertexCapacity);
  EXPECT_EQ(UnbalancedEdges(vertices.get(), polygoniser.vertexCount), 0);

  // Every cube index occurred, so every row was exercised.
  for (origin.z = -100; origin.z < 100; origin.z += 5)
    for (origin.y = -100; origin.y < 100; origin.y += 5)
      for (origin.x = -100; origin.x < 100; origin.x += 5) seen.set(polygoniser.CubeIndex(origin));
  EXPECT_TRUE(seen.all()) << seen.count() << " of 256 cube indices seen";
}
}  // namespace
