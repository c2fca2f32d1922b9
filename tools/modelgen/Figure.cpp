// The standing figure: ellipsoids and tapered capsules blended with smooth minimums. z is up,
// the face (nose) points toward -y, and the figure is mirror-symmetric in x.
#include <algorithm>
#include <cmath>

#include "tools/modelgen/Sdf.h"
#include "tools/modelgen/Shapes.h"

namespace {

// One side's limbs (x > 0); the other side mirrors x.
double LimbsDistance(Vec3 p) {
  p.x = std::fabs(p.x);
  const Vec3 shoulder{9.2, 0, 17}, elbow{12.6, 0.4, 5.5}, wrist{15, -1, -4.5};
  double arm = TaperedCapsuleDistance(p, shoulder, elbow, 2.3, 1.8);
  arm = SmoothMin(arm, TaperedCapsuleDistance(p, elbow, wrist, 1.8, 1.35), 1.0);
  arm = SmoothMin(arm, EllipsoidDistance(p, {15.7, -1.4, -7.6}, {1.3, 1.9, 2.6}), 1.0);

  const Vec3 hip{4.3, 0, -1.5}, knee{4.8, -0.6, -14.5}, ankle{5, 0.4, -26.8};
  double leg = TaperedCapsuleDistance(p, hip, knee, 3.3, 2.4);
  leg = SmoothMin(leg, TaperedCapsuleDistance(p, knee, ankle, 2.4, 1.5), 1.2);
  leg = SmoothMin(leg, EllipsoidDistance(p, {5.1, -1.9, -28.6}, {1.9, 4.2, 1.4}), 1.2);
  return std::min(arm, leg);
}

double TrunkDistance(Vec3 p) {
  double d = EllipsoidDistance(p, {0, 0, 13}, {8.8, 4.8, 7.0});                 // chest and shoulders
  d = SmoothMin(d, EllipsoidDistance(p, {0, 0.2, 5.5}, {6.6, 4.2, 5.8}), 4.0);  // waist
  d = SmoothMin(d, EllipsoidDistance(p, {0, 0.3, -0.5}, {7.0, 4.4, 5.2}), 4.0);  // hips
  d = SmoothMin(d, TaperedCapsuleDistance(p, {0, 0, 18}, {0, 0, 22}, 2.3, 2.1), 1.5);  // neck
  double head = EllipsoidDistance(p, {0, 0.2, 25.2}, {4.3, 4.7, 5.2});
  head = SmoothMin(head, EllipsoidDistance(p, {0, -4.4, 24.8}, {0.75, 1.0, 1.3}), 0.8);  // nose
  return SmoothMin(d, head, 1.5);
}

double FigureField(Vec3 p) { return SmoothMin(TrunkDistance(p), LimbsDistance(p), 1.6); }

}  // namespace

Mesh MakeFigure() {
  Mesh mesh = BuildImplicitMesh(FigureField, {{-20, -9, -32}, {20, 7, 32}, 0.4, 7000, 4});
  mesh.groupNames = {"figure"};
  return mesh;
}
