// Vertex welding, compaction, smoothing and normals for the generator's meshes.
#include "tools/modelgen/Mesh.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_map>

namespace {

int64_t CellKey(int64_t x, int64_t y, int64_t z) {
  return (x & 0x1FFFFF) | ((y & 0x1FFFFF) << 21) | ((z & 0x1FFFFF) << 42);
}

std::vector<std::vector<int>> NeighbourLists(const Mesh& mesh) {
  std::vector<std::vector<int>> neighbours(mesh.positions.size());
  for (const Triangle& t : mesh.triangles) {
    for (int corner = 0; corner < 3; ++corner) {
      neighbours[t[corner]].push_back(t[(corner + 1) % 3]);
      neighbours[t[corner]].push_back(t[(corner + 2) % 3]);
    }
  }
  for (std::vector<int>& list : neighbours) {
    std::sort(list.begin(), list.end());
    list.erase(std::unique(list.begin(), list.end()), list.end());
  }
  return neighbours;
}

void LaplacianStep(Mesh& mesh, const std::vector<std::vector<int>>& neighbours, double factor) {
  std::vector<Vec3> moved = mesh.positions;
  for (size_t v = 0; v < mesh.positions.size(); ++v) {
    if (neighbours[v].empty()) continue;
    Vec3 mean;
    for (int n : neighbours[v]) mean += mesh.positions[n];
    mean = mean * (1.0 / static_cast<double>(neighbours[v].size()));
    moved[v] = mesh.positions[v] + (mean - mesh.positions[v]) * factor;
  }
  mesh.positions = std::move(moved);
}

}  // namespace

void WeldVertices(Mesh& mesh, double tolerance) {
  // Spatial hash with cells of the tolerance size; a match may sit in any of the 27 cells around.
  std::unordered_map<int64_t, std::vector<int>> cells;
  std::vector<int> remap(mesh.positions.size());
  std::vector<Vec3> kept;
  const double inverse = 1.0 / tolerance;
  for (size_t v = 0; v < mesh.positions.size(); ++v) {
    const Vec3 p = mesh.positions[v];
    const int64_t cx = static_cast<int64_t>(std::floor(p.x * inverse));
    const int64_t cy = static_cast<int64_t>(std::floor(p.y * inverse));
    const int64_t cz = static_cast<int64_t>(std::floor(p.z * inverse));
    int match = -1;
    for (int64_t dx = -1; dx <= 1 && match < 0; ++dx)
      for (int64_t dy = -1; dy <= 1 && match < 0; ++dy)
        for (int64_t dz = -1; dz <= 1 && match < 0; ++dz) {
          auto found = cells.find(CellKey(cx + dx, cy + dy, cz + dz));
          if (found == cells.end()) continue;
          for (int candidate : found->second)
            if (Length(kept[candidate] - p) <= tolerance) {
              match = candidate;
              break;
            }
        }
    if (match < 0) {
      match = static_cast<int>(kept.size());
      kept.push_back(p);
      cells[CellKey(cx, cy, cz)].push_back(match);
    }
    remap[v] = match;
  }
  std::vector<Triangle> triangles;
  std::vector<int> groups;
  for (size_t i = 0; i < mesh.triangles.size(); ++i) {
    Triangle t = mesh.triangles[i];
    for (int& index : t) index = remap[index];
    if (t[0] == t[1] || t[1] == t[2] || t[2] == t[0]) continue;
    triangles.push_back(t);
    groups.push_back(mesh.triangleGroups[i]);
  }
  mesh.positions = std::move(kept);
  mesh.triangles = std::move(triangles);
  mesh.triangleGroups = std::move(groups);
}

void DropUnusedVertices(Mesh& mesh) {
  std::vector<int> remap(mesh.positions.size(), -1);
  for (const Triangle& t : mesh.triangles)
    for (int index : t) remap[index] = 0;
  std::vector<Vec3> kept;
  for (size_t v = 0; v < remap.size(); ++v) {
    if (remap[v] < 0) continue;
    remap[v] = static_cast<int>(kept.size());
    kept.push_back(mesh.positions[v]);
  }
  for (Triangle& t : mesh.triangles)
    for (int& index : t) index = remap[index];
  mesh.positions = std::move(kept);
}

void TaubinSmooth(Mesh& mesh, int iterations, double lambda, double mu) {
  const std::vector<std::vector<int>> neighbours = NeighbourLists(mesh);
  for (int i = 0; i < iterations; ++i) {
    LaplacianStep(mesh, neighbours, lambda);
    LaplacianStep(mesh, neighbours, mu);
  }
}

Vec3 FaceNormalTimesTwoArea(const Mesh& mesh, const Triangle& t) {
  const Vec3 p0 = mesh.positions[t[0]];
  return Cross(mesh.positions[t[1]] - p0, mesh.positions[t[2]] - p0);
}

std::vector<Vec3> VertexNormals(const Mesh& mesh) {
  std::vector<Vec3> normals(mesh.positions.size());
  for (const Triangle& t : mesh.triangles) {
    const Vec3 n = FaceNormalTimesTwoArea(mesh, t);
    for (int index : t) normals[index] += n;
  }
  for (Vec3& n : normals) n = Normalized(n);
  return normals;
}
