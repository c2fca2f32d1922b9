// Field to finished mesh: surface nets on a fine grid, Taubin smoothing to remove the grid's
// terracing, then quadric decimation down to the triangle budget.
#include "tools/modelgen/Decimate.h"
#include "tools/modelgen/Shapes.h"
#include "tools/modelgen/SurfaceNets.h"

Mesh BuildImplicitMesh(double (*field)(Vec3), const ImplicitBuild& build) {
  Mesh mesh = PolygoniseSurfaceNets(field, build.low, build.high, build.cellSize);
  TaubinSmooth(mesh, build.smoothingPasses);
  DecimateMesh(mesh, build.targetTriangles);
  TaubinSmooth(mesh, 1);
  return mesh;
}
