// Closed-manifold, winding, degeneracy and extent checks on an indexed mesh.
#include "tools/modelgen/MeshCheck.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <unordered_map>

namespace {

int64_t EdgeKey(int from, int to) { return (static_cast<int64_t>(from) << 32) | static_cast<uint32_t>(to); }

// Counts vertices whose incident triangles do not form a single closed fan.
int CountNonManifoldVertices(const Mesh& mesh) {
  std::vector<std::vector<int>> incident(mesh.positions.size());
  for (size_t i = 0; i < mesh.triangles.size(); ++i)
    for (int index : mesh.triangles[i]) incident[index].push_back(static_cast<int>(i));
  int bad = 0;
  for (size_t v = 0; v < incident.size(); ++v) {
    if (incident[v].empty()) continue;
    // Each incident triangle maps the vertex after v to the vertex before it; walk that map.
    std::map<int, int> nextAround;
    for (int face : incident[v]) {
      const Triangle& t = mesh.triangles[face];
      const int corner = t[0] == static_cast<int>(v) ? 0 : t[1] == static_cast<int>(v) ? 1 : 2;
      nextAround[t[(corner + 1) % 3]] = t[(corner + 2) % 3];
    }
    if (nextAround.size() != incident[v].size()) {
      ++bad;
      continue;
    }
    int start = nextAround.begin()->first, current = start;
    size_t steps = 0;
    do {
      auto found = nextAround.find(current);
      if (found == nextAround.end()) break;
      current = found->second;
      ++steps;
    } while (current != start && steps <= incident[v].size());
    if (current != start || steps != incident[v].size()) ++bad;
  }
  return bad;
}

}  // namespace

MeshReport CheckMesh(const Mesh& mesh) {
  MeshReport report;
  report.vertices = static_cast<int>(mesh.positions.size());
  report.triangles = static_cast<int>(mesh.triangles.size());
  if (mesh.positions.empty()) return report;

  report.boundsMin = report.boundsMax = mesh.positions[0];
  for (const Vec3& p : mesh.positions) {
    report.boundsMin = {std::min(report.boundsMin.x, p.x), std::min(report.boundsMin.y, p.y),
                        std::min(report.boundsMin.z, p.z)};
    report.boundsMax = {std::max(report.boundsMax.x, p.x), std::max(report.boundsMax.y, p.y),
                        std::max(report.boundsMax.z, p.z)};
  }

  std::unordered_map<int64_t, int> directed;
  std::vector<char> used(mesh.positions.size(), 0);
  double totalArea = 0;
  for (const Triangle& t : mesh.triangles) {
    totalArea += 0.5 * Length(FaceNormalTimesTwoArea(mesh, t));
    for (int corner = 0; corner < 3; ++corner) {
      ++directed[EdgeKey(t[corner], t[(corner + 1) % 3])];
      used[t[corner]] = 1;
    }
  }
  report.unusedVertices = static_cast<int>(std::count(used.begin(), used.end(), 0));
  for (const auto& [key, count] : directed) {
    const int from = static_cast<int>(key >> 32), to = static_cast<int>(key & 0xFFFFFFFF);
    auto opposite = directed.find(EdgeKey(to, from));
    if (count != 1 || opposite == directed.end() || opposite->second != 1) ++report.edgesNotPairedOnce;
  }
  report.nonManifoldVertices = CountNonManifoldVertices(mesh);

  const double meanArea = totalArea / static_cast<double>(std::max<size_t>(1, mesh.triangles.size()));
  std::unordered_map<int64_t, Vec3> faceNormalByEdge;
  for (const Triangle& t : mesh.triangles) {
    const Vec3 p0 = mesh.positions[t[0]], p1 = mesh.positions[t[1]], p2 = mesh.positions[t[2]];
    const Vec3 n2 = Cross(p1 - p0, p2 - p0);
    const double area = 0.5 * Length(n2);
    if (area < 1e-4 * meanArea) ++report.degenerateTriangles;
    const double squares = Dot(p1 - p0, p1 - p0) + Dot(p2 - p1, p2 - p1) + Dot(p0 - p2, p0 - p2);
    report.minTriangleQuality = std::min(report.minTriangleQuality, 4 * std::sqrt(3.0) * area / squares);
    report.signedVolume += Dot(p0, Cross(p1, p2)) / 6.0;
    for (int corner = 0; corner < 3; ++corner)
      faceNormalByEdge[EdgeKey(t[corner], t[(corner + 1) % 3])] = Normalized(n2);
  }
  for (const auto& [key, normal] : faceNormalByEdge) {
    auto opposite = faceNormalByEdge.find(EdgeKey(static_cast<int>(key & 0xFFFFFFFF), static_cast<int>(key >> 32)));
    if (opposite == faceNormalByEdge.end()) continue;
    const double cosine = std::clamp(Dot(normal, opposite->second), -1.0, 1.0);
    report.maxNeighbourAngle = std::max(report.maxNeighbourAngle, std::acos(cosine) * 180.0 / M_PI);
  }
  return report;
}

std::string DescribeDefects(const MeshReport& report) {
  std::string defects;
  auto add = [&defects](const std::string& text) { defects += (defects.empty() ? "" : "; ") + text; };
  if (report.triangles == 0) add("no triangles");
  if (report.edgesNotPairedOnce) add(std::to_string(report.edgesNotPairedOnce) + " unpaired edges");
  if (report.nonManifoldVertices) add(std::to_string(report.nonManifoldVertices) + " non-manifold vertices");
  if (report.degenerateTriangles) add(std::to_string(report.degenerateTriangles) + " degenerate triangles");
  if (report.unusedVertices) add(std::to_string(report.unusedVertices) + " unused vertices");
  if (report.signedVolume <= 0) add("inward winding");
  return defects;
}
