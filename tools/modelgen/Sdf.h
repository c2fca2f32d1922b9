// Signed-distance building blocks (negative inside) for the implicit models. Most are bounds
// rather than exact distances; the polygoniser needs the right sign and a smooth field.
#pragma once
#include <vector>

#include "tools/modelgen/Vec3.h"

struct Point2 {
  double u = 0, v = 0;
};

// Polynomial smooth minimum: a fillet of about `radius` where two shapes meet.
double SmoothMin(double a, double b, double radius);

double EllipsoidDistance(Vec3 p, Vec3 centre, Vec3 radii);

// A capsule whose radius runs linearly from ra at a to rb at b.
double TaperedCapsuleDistance(Vec3 p, Vec3 a, Vec3 b, double ra, double rb);

// Signed distance to a simple closed polygon in the plane.
double PolygonDistance(Point2 p, const std::vector<Point2>& outline);

// A thin plate with fully rounded rims, for fins: the outline is drawn in the plane through
// origin spanned by u and v (unit, orthogonal); the half-thickness along u x v tapers linearly
// from the root (v = 0) to the tip (v = span).
struct Plate {
  Vec3 origin, u, v;
  std::vector<Point2> outline;
  double rootThickness = 1, tipThickness = 0.5;  // half-thickness at v = 0 and at v = span
  double span = 1;
};
double PlateDistance(Vec3 p, const Plate& plate);
