// Shapes by signed distance: coverage is the distance to the edge clamped to one pixel's ramp.
#include "tools/texgen/Shapes.h"

#include <algorithm>
#include <cmath>

namespace {

// Calls paint(px, py) for every pixel centre of a bounding box, with wrapped storage.
template <typename Coverage>
void PaintBox(Plane& plane, float x0, float y0, float x1, float y1, float value, Coverage coverage) {
  const int minX = static_cast<int>(std::floor(x0)) - 1, maxX = static_cast<int>(std::ceil(x1)) + 1;
  const int minY = static_cast<int>(std::floor(y0)) - 1, maxY = static_cast<int>(std::ceil(y1)) + 1;
  for (int y = minY; y <= maxY; ++y) {
    for (int x = minX; x <= maxX; ++x) {
      const float c = std::clamp(coverage(x + 0.5f, y + 0.5f), 0.f, 1.f) * value;
      if (c <= 0) continue;
      float& cell = plane.Wrapped(x, y);
      cell = std::max(cell, c);
    }
  }
}

}  // namespace

void PaintCapsule(Plane& plane, float ax, float ay, float bx, float by, float radius, float value) {
  const float dx = bx - ax, dy = by - ay, lengthSq = std::max(dx * dx + dy * dy, 1e-6f);
  PaintBox(plane, std::min(ax, bx) - radius, std::min(ay, by) - radius, std::max(ax, bx) + radius,
           std::max(ay, by) + radius, value, [&](float px, float py) {
             const float k = std::clamp(((px - ax) * dx + (py - ay) * dy) / lengthSq, 0.f, 1.f);
             return radius + 0.5f - std::hypot(px - ax - k * dx, py - ay - k * dy);
           });
}

void PaintDisc(Plane& plane, float cx, float cy, float radius, float value) {
  PaintCapsule(plane, cx, cy, cx, cy, radius, value);
}

void PaintRing(Plane& plane, float cx, float cy, float radius, float halfWidth, float value) {
  const float reach = radius + halfWidth;
  PaintBox(plane, cx - reach, cy - reach, cx + reach, cy + reach, value, [&](float px, float py) {
    return halfWidth + 0.5f - std::fabs(std::hypot(px - cx, py - cy) - radius);
  });
}

void PaintRect(Plane& plane, float x0, float y0, float x1, float y1, float round, float value) {
  const float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
  const float hx = (x1 - x0) / 2 - round, hy = (y1 - y0) / 2 - round;
  PaintBox(plane, x0, y0, x1, y1, value, [&](float px, float py) {
    const float qx = std::fabs(px - cx) - hx, qy = std::fabs(py - cy) - hy;
    const float outside = std::hypot(std::max(qx, 0.f), std::max(qy, 0.f));
    const float inside = std::min(std::max(qx, qy), 0.f);
    return 0.5f - (outside + inside - round);
  });
}
