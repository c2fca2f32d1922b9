// Every piece of metaball storage, created before main in this one unit so that the order is
// fixed: each object reads the ones above it. The two owned arrays are released at exit in the
// reverse order (visited grid, then value cache); the tables and the buffer live to the end.
#include "metaballs/MetaballField.h"
#include "metaballs/SurfacePolygoniser.h"

namespace {
const FieldExtent metaballExtent = {200, 200, 200};
}  // namespace

GridPoint BallPositions[kBallCount] = {};
GridPoint BallPhases[kBallCount] = {};
GridPoint surfaceVertices[kSurfaceVertexCapacity] = {};

MetaballField metaballField(kBallCount, kBallRadius, kCellsPerAxis, metaballExtent, BallPositions);
SurfacePolygoniser surfacePolygoniser(metaballExtent, metaballField, surfaceVertices, kSurfaceVertexCapacity);
