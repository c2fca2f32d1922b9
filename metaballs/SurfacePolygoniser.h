// Surface-following marching cubes over the metaball field: from a seed cell beside each ball, a
// depth-first fill walks face neighbours while they cross the surface, appending triangles.
#pragma once
#include <cstdint>

#include "metaballs/GridPoint.h"
#include "metaballs/MetaballField.h"

constexpr int32_t kSurfaceVertexCapacity = 320000;

// The show's vertex buffer, three entries per triangle, in field units.
extern GridPoint surfaceVertices[kSurfaceVertexCapacity];

// A cell of the fill whose neighbours are still being walked.
struct PendingCell {
  GridPoint origin;
  int32_t slot;
  int32_t nextNeighbour;  // 0..5: −x, +x, −y, +y, −z, +z
};

struct SurfacePolygoniser {
  GridPoint halfExtent;
  GridPoint cellSize;
  MetaballField& field;
  int32_t cellsPerAxis;
  int32_t visitedSize;
  uint8_t* visited;  // one byte per cell slot, 1 = processed this frame
  GridPoint* vertices;  // not owned
  int32_t vertexCount;  // always a multiple of 3
  int32_t vertexCapacity;
  int32_t cellsClassified;  // cube indices computed this frame, seed searches included
  // The fill's explicit stack. Only cells that cross the surface are pushed, each once per
  // frame, so visitedSize entries always suffice.
  PendingCell* pendingCells;

  SurfacePolygoniser(FieldExtent extent, MetaballField& field, GridPoint* vertices, int32_t vertexCapacity);
  ~SurfacePolygoniser();
  SurfacePolygoniser(const SurfacePolygoniser&) = delete;
  SurfacePolygoniser& operator=(const SurfacePolygoniser&) = delete;

  // Empties the visited grid, the field's cache and the vertex buffer.
  void Clear();
  // Bit i set when corner i of the cell is below the threshold.
  int CubeIndex(GridPoint origin);
  // Processes the cell and, depth first, every surface-crossing cell reachable from it.
  void Fill(GridPoint origin);
  // The per-frame driver: clears, then seeds a fill beside every ball of the field.
  void ExtractSurface();
  // The same cells without the walk: every cell of the lattice through anyOrigin, classified in
  // turn. The reference that the surface-following fill is measured and checked against.
  void ScanWholeLattice(GridPoint anyOrigin);

 private:
  GridPoint Corner(GridPoint origin, int corner) const;
  bool IsVisited(GridPoint origin) const;
  // The cube index of a cell whose origin is inside the extent, keeping its corner values.
  int ClassifyCell(GridPoint origin, int32_t originSlot, float cornerValues[8]);
  // Steps into one cell: true when it crosses the surface and its neighbours are to be walked.
  bool EnterCell(GridPoint origin, int32_t slot);
  void AppendTriangles(GridPoint origin, int cubeIndex, const float cornerValues[8]);
};

// The show's polygoniser over metaballField and surfaceVertices.
extern SurfacePolygoniser surfacePolygoniser;

// Rebuilds the show's surface from the current ball positions.
void ExtractSurface();
