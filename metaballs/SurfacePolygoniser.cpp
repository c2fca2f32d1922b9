// The fill, the per-frame seed search and the whole-lattice reference scan.
#include "metaballs/SurfacePolygoniser.h"

#include <cassert>
#include <cstring>

#include "metaballs/MarchingCubesTables.h"

namespace {
// Face neighbours in walking order, in cells; the last one is taken as a continuation.
constexpr int8_t kNeighbourSteps[6][3] = {{-1, 0, 0}, {1, 0, 0}, {0, -1, 0}, {0, 1, 0}, {0, 0, -1}, {0, 0, 1}};
constexpr int32_t kLastNeighbour = 5;

GridPoint Step(GridPoint origin, const int8_t step[3], GridPoint cellSize) {
  return {origin.x + step[0] * cellSize.x, origin.y + step[1] * cellSize.y, origin.z + step[2] * cellSize.z};
}

// The smallest lattice coordinate at or above low that is congruent to any modulo size.
int32_t FirstOnLattice(int32_t any, int32_t low, int32_t size) {
  const int32_t remainder = ((any - low) % size + size) % size;
  return low + remainder;
}
}  // namespace

SurfacePolygoniser::SurfacePolygoniser(FieldExtent extent, MetaballField& field, GridPoint* vertices,
                                       int32_t vertexCapacity)
    : halfExtent{extent.x / 2, extent.y / 2, extent.z / 2},
      cellSize{extent.x / kCellsPerAxis, extent.y / kCellsPerAxis, extent.z / kCellsPerAxis},
      field(field),
      cellsPerAxis(kCellsPerAxis),
      visitedSize(kLatticeCellCount),
      visited(new uint8_t[kLatticeCellCount]()),
      vertices(vertices),
      vertexCount(0),
      vertexCapacity(vertexCapacity),
      cellsClassified(0),
      pendingCells(new PendingCell[kLatticeCellCount]()) {
  // The visited grid and the value cache share cell slots, so the lattices must agree.
  assert(field.cellsPerAxis == cellsPerAxis);
}

SurfacePolygoniser::~SurfacePolygoniser() {
  delete[] pendingCells;
  pendingCells = nullptr;
  delete[] visited;
  visited = nullptr;
}

void SurfacePolygoniser::Clear() {
  std::memset(visited, 0, static_cast<size_t>(visitedSize));
  field.ClearCache();
  vertexCount = 0;
  cellsClassified = 0;
}

GridPoint SurfacePolygoniser::Corner(GridPoint origin, int corner) const {
  return Step(origin, kCubeCornerSteps[corner], cellSize);
}

bool SurfacePolygoniser::IsVisited(GridPoint origin) const {
  return visited[CellSlot(origin, halfExtent, cellSize, cellsPerAxis)] != 0;
}

int SurfacePolygoniser::CubeIndex(GridPoint origin) {
  float cornerValues[8];
  if (IsInsideExtent(origin, halfExtent)) {
    return ClassifyCell(origin, CellSlot(origin, halfExtent, cellSize, cellsPerAxis), cornerValues);
  }
  ++cellsClassified;
  int index = 0;
  for (int corner = 0; corner < 8; ++corner) {
    if (field.IsBelowThreshold(Corner(origin, corner))) index |= 1 << corner;
  }
  return index;
}

int SurfacePolygoniser::ClassifyCell(GridPoint origin, int32_t originSlot, float cornerValues[8]) {
  ++cellsClassified;
  // One cell further along an axis is exactly one slot further, so the corners' slots follow
  // from the origin's without dividing again. Only cells on the +x, +y or −z face of the extent
  // have corners outside it.
  const int32_t plane = cellsPerAxis * cellsPerAxis;
  const bool cornersInside = origin.x + cellSize.x < halfExtent.x && origin.y + cellSize.y < halfExtent.y &&
                             origin.z - cellSize.z >= -halfExtent.z;
  int index = 0;
  for (int corner = 0; corner < 8; ++corner) {
    const int8_t* step = kCubeCornerSteps[corner];
    const GridPoint p = Corner(origin, corner);
    const float value = cornersInside || IsInsideExtent(p, halfExtent)
                            ? field.CellValue(p, originSlot + step[0] + step[1] * cellsPerAxis + step[2] * plane)
                            : -1.0f;
    cornerValues[corner] = value;
    if (value < field.threshold) index |= 1 << corner;
  }
  return index;
}

void SurfacePolygoniser::AppendTriangles(GridPoint origin, int cubeIndex, const float cornerValues[8]) {
  const uint16_t crossedEdges = kEdgeTable[cubeIndex];
  // Only the crossed edges are filled; the triangle row names no others.
  GridPoint edgePoints[12];
  for (int edge = 0; edge < 12; ++edge) {
    if (crossedEdges & (1 << edge)) {
      const int first = kCubeEdgeCorners[edge][0];
      const int second = kCubeEdgeCorners[edge][1];
      edgePoints[edge] = field.CrossingPoint(Corner(origin, first), cornerValues[first], Corner(origin, second),
                                             cornerValues[second]);
    }
  }
  const int8_t* row = kTriangleTable[cubeIndex];
  for (int i = 0; row[i] != -1; i += 3) {
    // A full buffer takes no more whole triangles; the count stays a multiple of 3.
    if (vertexCount > vertexCapacity - 3) return;
    vertices[vertexCount++] = edgePoints[row[i + 2]];
    vertices[vertexCount++] = edgePoints[row[i + 1]];
    vertices[vertexCount++] = edgePoints[row[i]];
  }
}

bool SurfacePolygoniser::EnterCell(GridPoint origin, int32_t slot) {
  if (!IsInsideExtent(origin, halfExtent)) return false;
  if (visited[slot]) return false;
  visited[slot] = 1;
  float cornerValues[8];
  const int cubeIndex = ClassifyCell(origin, slot, cornerValues);
  if (kEdgeTable[cubeIndex] == 0) return false;
  AppendTriangles(origin, cubeIndex, cornerValues);
  return true;
}

void SurfacePolygoniser::Fill(GridPoint origin) {
  if (!IsInsideExtent(origin, halfExtent)) return;
  // Depth-first pre-order over the neighbours −x, +x, −y, +y, −z, +z; the stack holds the cells
  // whose neighbours are still being walked, so the depth is bounded by the cell count. A
  // neighbour's slot is one step from its cell's; it is only read once the neighbour is inside.
  const int32_t row = cellsPerAxis;
  const int32_t plane = cellsPerAxis * cellsPerAxis;
  const int32_t slotSteps[6] = {-1, 1, -row, row, -plane, plane};
  int32_t depth = 0;
  GridPoint cell = origin;
  int32_t slot = CellSlot(origin, halfExtent, cellSize, cellsPerAxis);
  for (;;) {
    if (EnterCell(cell, slot)) pendingCells[depth++] = {cell, slot, 0};
    if (depth == 0) return;
    PendingCell& top = pendingCells[depth - 1];
    const int32_t neighbour = top.nextNeighbour++;
    cell = Step(top.origin, kNeighbourSteps[neighbour], cellSize);
    slot = top.slot + slotSteps[neighbour];
    // Nothing follows the last neighbour, so its walk continues in place of this entry.
    if (neighbour == kLastNeighbour) --depth;
  }
}

void SurfacePolygoniser::ExtractSurface() {
  Clear();
  for (int32_t i = 0; i < field.ballCount; ++i) {
    const GridPoint ball = field.ballPositions[i];
    // Walk toward −x from just inside the ball's radius until a cell has a corner outside the
    // blob; for a lone ball the first cell already straddles the surface.
    GridPoint seed = {ball.x + kBallRadius - 1, ball.y, ball.z};
    while (seed.x >= -halfExtent.x) {
      if (IsInsideExtent(seed, halfExtent) && IsVisited(seed)) break;
      if (CubeIndex(seed) != 0) break;
      seed.x -= cellSize.x;
    }
    Fill(seed);
  }
}

void SurfacePolygoniser::ScanWholeLattice(GridPoint anyOrigin) {
  Clear();
  const GridPoint first = {FirstOnLattice(anyOrigin.x, -halfExtent.x, cellSize.x),
                           FirstOnLattice(anyOrigin.y, -halfExtent.y, cellSize.y),
                           FirstOnLattice(anyOrigin.z, -halfExtent.z, cellSize.z)};
  GridPoint origin;
  for (origin.z = first.z; origin.z < halfExtent.z; origin.z += cellSize.z) {
    for (origin.y = first.y; origin.y < halfExtent.y; origin.y += cellSize.y) {
      origin.x = first.x;
      int32_t slot = CellSlot(origin, halfExtent, cellSize, cellsPerAxis);
      for (; origin.x < halfExtent.x; origin.x += cellSize.x, ++slot) {
        float cornerValues[8];
        const int cubeIndex = ClassifyCell(origin, slot, cornerValues);
        if (kEdgeTable[cubeIndex] != 0) AppendTriangles(origin, cubeIndex, cornerValues);
      }
    }
  }
}

void ExtractSurface() { surfacePolygoniser.ExtractSurface(); }
