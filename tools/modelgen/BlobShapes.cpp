// The smooth deformed shapes and the spike ball, all displaced from regular closed meshes
// (geodesic sphere, torus grid) whose vertices are shared by construction or by welding.
#include <algorithm>
#include <cmath>

#include "tools/modelgen/Decimate.h"
#include "tools/modelgen/Shapes.h"

namespace {

// Unit sphere from an icosahedron whose faces are split into frequency^2 triangles.
Mesh GeodesicSphere(int frequency) {
  const double g = (1.0 + std::sqrt(5.0)) / 2.0;
  const Vec3 corners[12] = {{-1, g, 0}, {1, g, 0}, {-1, -g, 0}, {1, -g, 0}, {0, -1, g}, {0, 1, g},
                            {0, -1, -g}, {0, 1, -g}, {g, 0, -1}, {g, 0, 1}, {-g, 0, -1}, {-g, 0, 1}};
  const int faces[20][3] = {{0, 11, 5}, {0, 5, 1},  {0, 1, 7},   {0, 7, 10}, {0, 10, 11},
                            {1, 5, 9},  {5, 11, 4}, {11, 10, 2}, {10, 7, 6}, {7, 1, 8},
                            {3, 9, 4},  {3, 4, 2},  {3, 2, 6},   {3, 6, 8},  {3, 8, 9},
                            {4, 9, 5},  {2, 4, 11}, {6, 2, 10},  {8, 6, 7},  {9, 8, 1}};
  Mesh mesh;
  for (const auto& face : faces) {
    const Vec3 a = corners[face[0]], b = corners[face[1]], c = corners[face[2]];
    const int base = static_cast<int>(mesh.positions.size());
    auto index = [&](int i, int j) { return base + i * (frequency + 1) - i * (i - 1) / 2 + j; };
    for (int i = 0; i <= frequency; ++i)
      for (int j = 0; j <= frequency - i; ++j)
        mesh.positions.push_back(Normalized(a + (b - a) * (double(i) / frequency) + (c - a) * (double(j) / frequency)));
    for (int i = 0; i < frequency; ++i)
      for (int j = 0; j < frequency - i; ++j) {
        mesh.triangles.push_back({index(i, j), index(i + 1, j), index(i, j + 1)});
        if (j + 1 < frequency - i) mesh.triangles.push_back({index(i + 1, j), index(i + 1, j + 1), index(i, j + 1)});
      }
  }
  mesh.triangleGroups.assign(mesh.triangles.size(), 0);
  WeldVertices(mesh, 1e-7);
  return mesh;
}

// Turns a point about the y axis by an angle that grows with its height.
Vec3 TwistAboutY(Vec3 p, double radiansPerUnit) {
  const double angle = p.y * radiansPerUnit, c = std::cos(angle), s = std::sin(angle);
  return {c * p.x + s * p.z, p.y, -s * p.x + c * p.z};
}

// A few fixed low-frequency waves over the unit direction; about -1..1.
double LowNoise(Vec3 d, double phase) {
  return 0.45 * std::sin(2.1 * d.x + 1.3 * d.y + phase) * std::cos(1.7 * d.z - 0.6) +
         0.35 * std::sin(3.3 * d.y - 2.2 * d.z + 2 * phase) +
         0.20 * std::cos(4.1 * d.x + 2.7 * d.z - phase) * std::sin(2.9 * d.y + 0.4);
}

}  // namespace

Mesh MakeDeformedBlob() {
  Mesh mesh = GeodesicSphere(22);
  for (Vec3& p : mesh.positions) p = TwistAboutY(p * (4.1 * (1.0 + 0.24 * LowNoise(p, 0.7))), 0.18);
  mesh.groupNames = {"deformed"};
  return mesh;
}

Mesh MakeDeformedTorus() {
  constexpr int kAround = 120, kTube = 36;  // segments around the ring and around the tube
  constexpr double kRing = 2.4, kTubeRadius = 1.0;
  Mesh mesh;
  for (int i = 0; i < kAround; ++i)
    for (int j = 0; j < kTube; ++j) {
      const double u = 2 * M_PI * i / kAround, v = 2 * M_PI * j / kTube;
      // The tube swells and the ring waves up and down three times around.
      const double tube = kTubeRadius * (1.0 + 0.25 * std::sin(3 * u) + 0.1 * std::cos(5 * u + v));
      const double ring = kRing + tube * std::cos(v);
      const Vec3 p{ring * std::cos(u), tube * std::sin(v) + 0.45 * std::sin(3 * u + 0.5), ring * std::sin(u)};
      mesh.positions.push_back(TwistAboutY(p, 0.1));
    }
  auto at = [](int i, int j) { return (i % kAround) * kTube + (j % kTube); };
  for (int i = 0; i < kAround; ++i)
    for (int j = 0; j < kTube; ++j) {
      mesh.triangles.push_back({at(i, j), at(i, j + 1), at(i + 1, j + 1)});
      mesh.triangles.push_back({at(i, j), at(i + 1, j + 1), at(i + 1, j)});
    }
  mesh.triangleGroups.assign(mesh.triangles.size(), 0);
  mesh.groupNames = {"deformed2"};
  return mesh;
}

Mesh MakeSpikeball() {
  constexpr int kSpikes = 42;
  constexpr double kRadius = 3.5, kSpikeLength = 3.0, kSpikeAngle = 0.2;  // cone half-width, radians
  std::vector<Vec3> spikes;
  const double goldenAngle = M_PI * (3.0 - std::sqrt(5.0));
  for (int i = 0; i < kSpikes; ++i) {
    const double y = 1.0 - 2.0 * (i + 0.5) / kSpikes, r = std::sqrt(1.0 - y * y);
    spikes.push_back({r * std::cos(goldenAngle * i), y, r * std::sin(goldenAngle * i)});
  }
  Mesh mesh = GeodesicSphere(44);
  // Put a vertex exactly on every spike axis so each tip is a sharp point.
  for (const Vec3& axis : spikes) {
    size_t nearest = 0;
    for (size_t v = 0; v < mesh.positions.size(); ++v)
      if (Dot(mesh.positions[v], axis) > Dot(mesh.positions[nearest], axis)) nearest = v;
    mesh.positions[nearest] = axis;
  }
  for (Vec3& p : mesh.positions) {
    double lift = 0;
    for (const Vec3& axis : spikes) {
      const double angle = std::acos(std::clamp(Dot(p, axis), -1.0, 1.0));
      lift = std::max(lift, 1.0 - angle / kSpikeAngle);
    }
    p = p * (kRadius + kSpikeLength * lift);
  }
  DecimateMesh(mesh, 6000);
  mesh.groupNames = {"spikeball"};
  return mesh;
}
