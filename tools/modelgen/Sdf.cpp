// Distance estimates for ellipsoids, tapered capsules, polygons and rounded plates.
#include "tools/modelgen/Sdf.h"

#include <algorithm>
#include <cmath>

double SmoothMin(double a, double b, double radius) {
  const double h = std::max(radius - std::fabs(a - b), 0.0) / radius;
  return std::min(a, b) - h * h * radius * 0.25;
}

double EllipsoidDistance(Vec3 p, Vec3 centre, Vec3 radii) {
  const Vec3 d = p - centre;
  const Vec3 scaled{d.x / radii.x, d.y / radii.y, d.z / radii.z};
  const Vec3 scaled2{scaled.x / radii.x, scaled.y / radii.y, scaled.z / radii.z};
  const double k0 = Length(scaled), k1 = Length(scaled2);
  if (k1 == 0) return -std::min({radii.x, radii.y, radii.z});
  return k0 * (k0 - 1.0) / k1;
}

double TaperedCapsuleDistance(Vec3 p, Vec3 a, Vec3 b, double ra, double rb) {
  const Vec3 ab = b - a;
  const double t = std::clamp(Dot(p - a, ab) / Dot(ab, ab), 0.0, 1.0);
  return Length(p - (a + ab * t)) - (ra + (rb - ra) * t);
}

double PolygonDistance(Point2 p, const std::vector<Point2>& outline) {
  double best = 1e30;
  bool inside = false;
  for (size_t i = 0, j = outline.size() - 1; i < outline.size(); j = i++) {
    const Point2 a = outline[j], b = outline[i];
    const double eu = b.u - a.u, ev = b.v - a.v, wu = p.u - a.u, wv = p.v - a.v;
    const double t = std::clamp((wu * eu + wv * ev) / (eu * eu + ev * ev), 0.0, 1.0);
    const double du = wu - eu * t, dv = wv - ev * t;
    best = std::min(best, du * du + dv * dv);
    if ((a.v > p.v) != (b.v > p.v) && p.u < a.u + (p.v - a.v) * eu / ev) inside = !inside;
  }
  return inside ? -std::sqrt(best) : std::sqrt(best);
}

double PlateDistance(Vec3 p, const Plate& plate) {
  const Vec3 d = p - plate.origin;
  const Point2 inPlane{Dot(d, plate.u), Dot(d, plate.v)};
  const double across = Dot(d, Cross(plate.u, plate.v));
  const double along = std::clamp(inPlane.v / plate.span, 0.0, 1.0);
  const double half = plate.rootThickness + (plate.tipThickness - plate.rootThickness) * along;
  // Distance to the outline shrunk by the half-thickness, in 3D, minus that half-thickness.
  const double outside = std::max(PolygonDistance(inPlane, plate.outline) + half, 0.0);
  return std::sqrt(outside * outside + across * across) - half;
}
