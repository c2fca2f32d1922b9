// The dolphin: a lofted body (profile stations along x) with plate fins blended on.
#include <algorithm>
#include <cmath>

#include "tools/modelgen/Sdf.h"
#include "tools/modelgen/Shapes.h"

namespace {

// Body profile along x: top and bottom of the outline seen from the side, half-width from above.
struct Station {
  double x, top, bottom, halfWidth;
};
const Station kBody[] = {
    {-50.0, -2.6, -3.7, 1.1},  {-48.5, -2.0, -4.3, 1.4},  {-46.0, -1.4, -4.8, 1.9},
    {-43.0, -0.6, -5.3, 2.6},  {-40.0, 2.4, -6.4, 4.3},   {-37.0, 4.8, -7.6, 5.7},
    {-32.0, 6.8, -8.9, 7.1},   {-25.0, 8.6, -10.3, 8.3},  {-15.0, 10.0, -11.3, 9.1},
    {-5.0, 10.3, -11.5, 9.2},  {5.0, 9.4, -10.7, 8.5},    {15.0, 7.4, -8.8, 6.9},
    {25.0, 5.0, -6.1, 4.7},    {33.0, 3.2, -3.7, 2.8},    {40.0, 2.1, -2.1, 1.6},
    {45.0, 1.3, -1.3, 1.1},    {48.0, 0.8, -0.8, 0.8},
};
constexpr int kStations = sizeof(kBody) / sizeof(kBody[0]);
constexpr double kTipRounding = 1.5;  // length over which both ends close like an ellipsoid

// Cubic Hermite through the stations with centred-difference slopes.
double Profile(double x, double Station::*column) {
  int i = 0;
  while (i + 2 < kStations && x > kBody[i + 1].x) ++i;
  const Station &a = kBody[i], &b = kBody[i + 1];
  const auto slope = [column](int k) {
    const int lo = std::max(k - 1, 0), hi = std::min(k + 1, kStations - 1);
    return (kBody[hi].*column - kBody[lo].*column) / (kBody[hi].x - kBody[lo].x);
  };
  const double width = b.x - a.x, s = std::clamp((x - a.x) / width, 0.0, 1.0);
  const double h00 = 2 * s * s * s - 3 * s * s + 1, h10 = s * s * s - 2 * s * s + s;
  const double h01 = -2 * s * s * s + 3 * s * s, h11 = s * s * s - s * s;
  return h00 * a.*column + h10 * width * slope(i) + h01 * b.*column + h11 * width * slope(i + 1);
}

double BodyDistance(Vec3 p) {
  const double first = kBody[0].x, last = kBody[kStations - 1].x;
  const double x = std::clamp(p.x, first, last);
  const double centre = 0.5 * (Profile(x, &Station::top) + Profile(x, &Station::bottom));
  double halfHeight = 0.5 * (Profile(x, &Station::top) - Profile(x, &Station::bottom));
  const double aspect = halfHeight / Profile(x, &Station::halfWidth);
  const double fromEnd = std::min(x - first, last - x);
  if (fromEnd < kTipRounding) {
    const double s = 1.0 - fromEnd / kTipRounding;
    halfHeight *= std::sqrt(std::max(1.0 - s * s, 0.0));
  }
  // Elliptic cross-section measured in units of its height; beyond the ends add the overshoot.
  const double dy = p.y - centre, dz = p.z * aspect;
  const double section = std::sqrt(dy * dy + dz * dz) - halfHeight;
  const double overshoot = std::fabs(p.x - x);
  return overshoot > 0 ? std::sqrt(overshoot * overshoot + std::max(section, 0.0) * std::max(section, 0.0)) +
                             std::min(section, 0.0)
                       : section;
}

Plate DorsalFin() {
  Plate fin;
  fin.origin = {0, 8, 0};
  fin.u = {1, 0, 0};
  fin.v = {0, 1, 0};
  fin.outline = {{-9, -2}, {-5, 3}, {0, 7}, {5, 9.5}, {9.5, 10.2}, {8.8, 9.2}, {6.3, 6.5},
                 {5.2, 4}, {5.6, 1.5}, {7.5, -2}};
  fin.rootThickness = 1.5;
  fin.tipThickness = 0.5;
  fin.span = 10;
  return fin;
}

Plate Flipper(double side) {
  Plate fin;
  fin.origin = {-27, -5, 4 * side};
  fin.u = {1, 0, 0};
  fin.v = Normalized({0, -0.35, side});
  fin.outline = {{-4.6, -1}, {-4.2, 4.5}, {-2, 10}, {2, 14}, {5.1, 15.2}, {5.9, 13.5},
                 {4.9, 9}, {4.1, 4.5}, {4.6, -1}};
  fin.rootThickness = 1.4;
  fin.tipThickness = 0.55;
  fin.span = 15;
  return fin;
}

Plate Fluke(double side) {
  Plate fin;
  fin.origin = {42, 0, 0};
  fin.u = {1, 0, 0};
  fin.v = {0, 0, side};
  fin.outline = {{-4, -1},    {-3.5, 2}, {-1.5, 6}, {1.5, 11}, {5, 16}, {8.5, 20},   {10.5, 21.8},
                 {11.2, 20.8}, {11, 18},  {10.2, 14}, {9, 9},    {8, 5},  {7.2, 2},   {6.8, -1}};
  fin.rootThickness = 1.8;
  fin.tipThickness = 0.45;
  fin.span = 21.5;
  return fin;
}

const Plate kFins[] = {DorsalFin(), Flipper(1), Flipper(-1), Fluke(1), Fluke(-1)};

double FinsDistance(Vec3 p) {
  double d = 1e30;
  for (const Plate& fin : kFins) d = std::min(d, PlateDistance(p, fin));
  return d;
}

double DolphinField(Vec3 p) { return SmoothMin(BodyDistance(p), FinsDistance(p), 2.0); }

}  // namespace

Mesh MakeDolphin() {
  Mesh mesh = BuildImplicitMesh(DolphinField, {{-53, -15, -25}, {55, 21, 25}, 0.5, 6000, 4});
  mesh.groupNames = {"body", "fins"};
  for (size_t i = 0; i < mesh.triangles.size(); ++i) {
    const Triangle& t = mesh.triangles[i];
    const Vec3 centre = (mesh.positions[t[0]] + mesh.positions[t[1]] + mesh.positions[t[2]]) * (1.0 / 3);
    mesh.triangleGroups[i] = FinsDistance(centre) < BodyDistance(centre) ? 1 : 0;
  }
  return mesh;
}
