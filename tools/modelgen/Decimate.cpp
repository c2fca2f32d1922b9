// Garland-Heckbert quadric decimation with link-condition and fold-over checks.
#include "tools/modelgen/Decimate.h"

#include <algorithm>
#include <cmath>
#include <queue>
#include <tuple>

namespace {

// Symmetric 4x4 error quadric, upper triangle row by row.
struct Quadric {
  double q[10] = {};
  void AddPlane(Vec3 n, double d, double weight) {
    const double p[4] = {n.x, n.y, n.z, d};
    int at = 0;
    for (int r = 0; r < 4; ++r)
      for (int c = r; c < 4; ++c) q[at++] += weight * p[r] * p[c];
  }
  void Add(const Quadric& other) {
    for (int i = 0; i < 10; ++i) q[i] += other.q[i];
  }
  double Error(Vec3 v) const {
    return q[0] * v.x * v.x + 2 * q[1] * v.x * v.y + 2 * q[2] * v.x * v.z + 2 * q[3] * v.x +
           q[4] * v.y * v.y + 2 * q[5] * v.y * v.z + 2 * q[6] * v.y + q[7] * v.z * v.z + 2 * q[8] * v.z + q[9];
  }
  // The point of least error, if the 3x3 system is well conditioned.
  bool Minimum(Vec3& v) const {
    const double a = q[0], b = q[1], c = q[2], d = q[4], e = q[5], f = q[7];
    const double det = a * (d * f - e * e) - b * (b * f - e * c) + c * (b * e - d * c);
    if (std::fabs(det) < 1e-12 * (std::fabs(a * d * f) + 1e-30)) return false;
    const double rx = -q[3], ry = -q[6], rz = -q[8];
    v.x = (rx * (d * f - e * e) - b * (ry * f - e * rz) + c * (ry * e - d * rz)) / det;
    v.y = (a * (ry * f - e * rz) - rx * (b * f - e * c) + c * (b * rz - ry * c)) / det;
    v.z = (a * (d * rz - ry * e) - b * (b * rz - ry * c) + rx * (b * e - d * c)) / det;
    return true;
  }
};

double Quality(Vec3 p0, Vec3 p1, Vec3 p2) {
  const double squares = Dot(p1 - p0, p1 - p0) + Dot(p2 - p1, p2 - p1) + Dot(p0 - p2, p0 - p2);
  return squares > 0 ? 2 * std::sqrt(3.0) * Length(Cross(p1 - p0, p2 - p0)) / squares : 0;
}

struct Candidate {
  double cost;
  int from, to;  // collapse `from` into `to`
  int fromStamp, toStamp;
  Vec3 target;
  bool operator>(const Candidate& other) const {
    return std::tie(cost, from, to) > std::tie(other.cost, other.from, other.to);
  }
};

struct Decimator {
  Mesh& mesh;
  std::vector<std::vector<int>> faces;  // incident live triangles per vertex
  std::vector<char> faceAlive;
  std::vector<Quadric> quadrics;
  std::vector<int> stamp;
  std::priority_queue<Candidate, std::vector<Candidate>, std::greater<Candidate>> heap;
  double scale = 1;  // mean edge length, to keep tiny-area tests relative

  explicit Decimator(Mesh& m) : mesh(m) {
    faces.resize(mesh.positions.size());
    quadrics.resize(mesh.positions.size());
    stamp.assign(mesh.positions.size(), 0);
    faceAlive.assign(mesh.triangles.size(), 1);
    double edgeSum = 0;
    for (size_t f = 0; f < mesh.triangles.size(); ++f) {
      const Triangle& t = mesh.triangles[f];
      const Vec3 n2 = FaceNormalTimesTwoArea(mesh, t);
      const Vec3 n = Normalized(n2);
      for (int index : t) {
        faces[index].push_back(static_cast<int>(f));
        quadrics[index].AddPlane(n, -Dot(n, mesh.positions[t[0]]), 0.5 * Length(n2));
      }
      edgeSum += Length(mesh.positions[t[1]] - mesh.positions[t[0]]);
    }
    scale = edgeSum / static_cast<double>(std::max<size_t>(1, mesh.triangles.size()));
  }

  std::vector<int> Neighbours(int v) const {
    std::vector<int> result;
    for (int f : faces[v])
      for (int index : mesh.triangles[f])
        if (index != v) result.push_back(index);
    std::sort(result.begin(), result.end());
    result.erase(std::unique(result.begin(), result.end()), result.end());
    return result;
  }

  void Push(int a, int b) {
    Quadric q = quadrics[a];
    q.Add(quadrics[b]);
    Vec3 target;
    if (!q.Minimum(target) || Length(target - Lerp(mesh.positions[a], mesh.positions[b], 0.5)) >
                                  2 * Length(mesh.positions[a] - mesh.positions[b])) {
      target = Lerp(mesh.positions[a], mesh.positions[b], 0.5);
    }
    const double cost = std::max(0.0, q.Error(target));
    heap.push({cost, a, b, stamp[a], stamp[b], target});
  }

  void PushAllEdgesOf(int v) {
    for (int n : Neighbours(v)) Push(std::min(v, n), std::max(v, n));
  }

  // A collapse of an edge in a closed manifold keeps it manifold when the two endpoints share
  // exactly the two vertices opposite the edge.
  bool LinkConditionHolds(int a, int b) const {
    const std::vector<int> na = Neighbours(a), nb = Neighbours(b);
    std::vector<int> common;
    std::set_intersection(na.begin(), na.end(), nb.begin(), nb.end(), std::back_inserter(common));
    return common.size() == 2 && na.size() > 3 && nb.size() > 3;
  }

  bool MoveKeepsFacesSound(int moved, int other, Vec3 target, bool guardQuality = true) const {
    for (int f : faces[moved]) {
      const Triangle& t = mesh.triangles[f];
      if (t[0] == other || t[1] == other || t[2] == other) continue;  // removed by the collapse
      Vec3 p[3], q[3];
      for (int c = 0; c < 3; ++c) {
        p[c] = mesh.positions[t[c]];
        q[c] = t[c] == moved ? target : p[c];
      }
      const Vec3 before = Cross(p[1] - p[0], p[2] - p[0]), after = Cross(q[1] - q[0], q[2] - q[0]);
      if (Length(after) < 1e-6 * scale * scale) return false;
      if (Dot(Normalized(before), Normalized(after)) < 0.5) return false;
      const double quality = Quality(q[0], q[1], q[2]);
      if (guardQuality && quality < 0.2 && quality < Quality(p[0], p[1], p[2])) return false;
    }
    return true;
  }

  void Collapse(int from, int to, Vec3 target) {
    std::vector<int> kept;
    for (int f : faces[to])
      if (faceAlive[f]) kept.push_back(f);
    for (int f : faces[from]) {
      Triangle& t = mesh.triangles[f];
      if (t[0] == to || t[1] == to || t[2] == to) {
        faceAlive[f] = 0;
        continue;
      }
      for (int& index : t)
        if (index == from) index = to;
      kept.push_back(f);
    }
    kept.erase(std::remove_if(kept.begin(), kept.end(), [this](int f) { return !faceAlive[f]; }), kept.end());
    for (int n : Neighbours(from)) {
      auto& list = faces[n];
      list.erase(std::remove_if(list.begin(), list.end(), [this](int f) { return !faceAlive[f]; }), list.end());
    }
    faces[to] = std::move(kept);
    faces[from].clear();
    mesh.positions[to] = target;
    quadrics[to].Add(quadrics[from]);
    ++stamp[to];
    ++stamp[from];
    PushAllEdgesOf(to);
  }
};

}  // namespace

void DecimateMesh(Mesh& mesh, int targetTriangles) {
  Decimator decimator(mesh);
  for (size_t v = 0; v < mesh.positions.size(); ++v)
    for (int n : decimator.Neighbours(static_cast<int>(v)))
      if (n > static_cast<int>(v)) decimator.Push(static_cast<int>(v), n);

  int alive = static_cast<int>(mesh.triangles.size());
  while (alive > targetTriangles && !decimator.heap.empty()) {
    const Candidate c = decimator.heap.top();
    decimator.heap.pop();
    if (c.fromStamp != decimator.stamp[c.from] || c.toStamp != decimator.stamp[c.to]) continue;
    if (decimator.faces[c.from].empty() || decimator.faces[c.to].empty()) continue;
    if (!decimator.LinkConditionHolds(c.from, c.to)) continue;
    if (!decimator.MoveKeepsFacesSound(c.from, c.to, c.target) ||
        !decimator.MoveKeepsFacesSound(c.to, c.from, c.target))
      continue;
    decimator.Collapse(c.from, c.to, c.target);
    alive -= 2;
  }

  // Crushed slivers left behind (where collapses were refused for triangle quality) go last:
  // their shortest edge is collapsed to its midpoint whenever that keeps the surface sound.
  double areaSum = 0;
  for (size_t f = 0; f < mesh.triangles.size(); ++f)
    if (decimator.faceAlive[f]) areaSum += Length(FaceNormalTimesTwoArea(mesh, mesh.triangles[f]));
  const double tinyArea = 1e-3 * areaSum / std::max(alive, 1);
  for (size_t f = 0; f < mesh.triangles.size(); ++f) {
    if (!decimator.faceAlive[f] || Length(FaceNormalTimesTwoArea(mesh, mesh.triangles[f])) > tinyArea) continue;
    const Triangle t = mesh.triangles[f];
    int shortest = 0;
    for (int c = 1; c < 3; ++c)
      if (Length(mesh.positions[t[(c + 1) % 3]] - mesh.positions[t[c]]) <
          Length(mesh.positions[t[(shortest + 1) % 3]] - mesh.positions[t[shortest]]))
        shortest = c;
    const int a = t[shortest], b = t[(shortest + 1) % 3];
    const Vec3 middle = Lerp(mesh.positions[a], mesh.positions[b], 0.5);
    if (decimator.LinkConditionHolds(a, b) && decimator.MoveKeepsFacesSound(a, b, middle, false) &&
        decimator.MoveKeepsFacesSound(b, a, middle, false)) {
      decimator.Collapse(a, b, middle);
      alive -= 2;
    }
  }

  std::vector<Triangle> triangles;
  std::vector<int> groups;
  for (size_t f = 0; f < mesh.triangles.size(); ++f) {
    if (!decimator.faceAlive[f]) continue;
    triangles.push_back(mesh.triangles[f]);
    groups.push_back(mesh.triangleGroups[f]);
  }
  mesh.triangles = std::move(triangles);
  mesh.triangleGroups = std::move(groups);
  DropUnusedVertices(mesh);
}
