// Surface nets on a regular grid, quads split along their shorter diagonal.
#include "tools/modelgen/SurfaceNets.h"

#include <cmath>
#include <cstdint>

namespace {

struct Grid {
  int nx, ny, nz;  // sample counts per axis
  Vec3 origin;
  double cell;
  std::vector<double> values;
  size_t Index(int i, int j, int k) const { return (static_cast<size_t>(k) * ny + j) * nx + i; }
  double At(int i, int j, int k) const { return values[Index(i, j, k)]; }
  Vec3 Point(int i, int j, int k) const { return origin + Vec3{i * cell, j * cell, k * cell}; }
};

// The mean of the cell's edge crossings; false when the surface does not cross the cell.
bool CellVertex(const Grid& grid, int i, int j, int k, Vec3& vertex) {
  static const int kCorners[8][3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0},
                                     {0, 0, 1}, {1, 0, 1}, {0, 1, 1}, {1, 1, 1}};
  static const int kEdges[12][2] = {{0, 1}, {2, 3}, {4, 5}, {6, 7}, {0, 2}, {1, 3},
                                    {4, 6}, {5, 7}, {0, 4}, {1, 5}, {2, 6}, {3, 7}};
  double value[8];
  int inside = 0;
  for (int c = 0; c < 8; ++c) {
    value[c] = grid.At(i + kCorners[c][0], j + kCorners[c][1], k + kCorners[c][2]);
    inside += value[c] < 0;
  }
  if (inside == 0 || inside == 8) return false;
  Vec3 sum;
  int crossings = 0;
  for (const auto& edge : kEdges) {
    const double a = value[edge[0]], b = value[edge[1]];
    if ((a < 0) == (b < 0)) continue;
    const double t = a / (a - b);
    const Vec3 pa = grid.Point(i + kCorners[edge[0]][0], j + kCorners[edge[0]][1], k + kCorners[edge[0]][2]);
    const Vec3 pb = grid.Point(i + kCorners[edge[1]][0], j + kCorners[edge[1]][1], k + kCorners[edge[1]][2]);
    sum += Lerp(pa, pb, t);
    ++crossings;
  }
  vertex = sum * (1.0 / crossings);
  return true;
}

void AddQuad(Mesh& mesh, int a, int b, int c, int d) {
  const Vec3 pa = mesh.positions[a], pb = mesh.positions[b], pc = mesh.positions[c], pd = mesh.positions[d];
  if (Length(pc - pa) <= Length(pd - pb)) {
    mesh.triangles.push_back({a, b, c});
    mesh.triangles.push_back({a, c, d});
  } else {
    mesh.triangles.push_back({a, b, d});
    mesh.triangles.push_back({b, c, d});
  }
}

}  // namespace

Mesh PolygoniseSurfaceNets(const ScalarField& field, Vec3 low, Vec3 high, double cellSize) {
  Grid grid;
  grid.origin = low;
  grid.cell = cellSize;
  grid.nx = static_cast<int>(std::ceil((high.x - low.x) / cellSize)) + 1;
  grid.ny = static_cast<int>(std::ceil((high.y - low.y) / cellSize)) + 1;
  grid.nz = static_cast<int>(std::ceil((high.z - low.z) / cellSize)) + 1;
  grid.values.resize(static_cast<size_t>(grid.nx) * grid.ny * grid.nz);
  for (int k = 0; k < grid.nz; ++k)
    for (int j = 0; j < grid.ny; ++j)
      for (int i = 0; i < grid.nx; ++i) grid.values[grid.Index(i, j, k)] = field(grid.Point(i, j, k));

  Mesh mesh;
  std::vector<int> cellVertex(grid.values.size(), -1);  // indexed like the cell's lowest corner
  for (int k = 0; k + 1 < grid.nz; ++k)
    for (int j = 0; j + 1 < grid.ny; ++j)
      for (int i = 0; i + 1 < grid.nx; ++i) {
        Vec3 vertex;
        if (!CellVertex(grid, i, j, k, vertex)) continue;
        cellVertex[grid.Index(i, j, k)] = static_cast<int>(mesh.positions.size());
        mesh.positions.push_back(vertex);
      }

  auto cellAt = [&](int i, int j, int k) { return cellVertex[grid.Index(i, j, k)]; };
  // A crossed edge from sample (i,j,k) along an axis: the four cells around it, listed
  // counter-clockwise seen from the positive end of the axis, give the quad; it faces +axis
  // when the edge runs from inside to outside.
  for (int k = 1; k + 1 < grid.nz; ++k)
    for (int j = 1; j + 1 < grid.ny; ++j)
      for (int i = 1; i + 1 < grid.nx; ++i) {
        const bool inside = grid.At(i, j, k) < 0;
        if (inside != (grid.At(i + 1, j, k) < 0)) {
          const int q[4] = {cellAt(i, j - 1, k - 1), cellAt(i, j, k - 1), cellAt(i, j, k), cellAt(i, j - 1, k)};
          inside ? AddQuad(mesh, q[0], q[1], q[2], q[3]) : AddQuad(mesh, q[3], q[2], q[1], q[0]);
        }
        if (inside != (grid.At(i, j + 1, k) < 0)) {
          const int q[4] = {cellAt(i - 1, j, k - 1), cellAt(i - 1, j, k), cellAt(i, j, k), cellAt(i, j, k - 1)};
          inside ? AddQuad(mesh, q[0], q[1], q[2], q[3]) : AddQuad(mesh, q[3], q[2], q[1], q[0]);
        }
        if (inside != (grid.At(i, j, k + 1) < 0)) {
          const int q[4] = {cellAt(i - 1, j - 1, k), cellAt(i, j - 1, k), cellAt(i, j, k), cellAt(i - 1, j, k)};
          inside ? AddQuad(mesh, q[0], q[1], q[2], q[3]) : AddQuad(mesh, q[3], q[2], q[1], q[0]);
        }
      }
  mesh.triangleGroups.assign(mesh.triangles.size(), 0);
  return mesh;
}
