// Box-against-view-volume tests in clip space, on the CPU.
#include "render/ViewCulling.h"

#include <cmath>

#include "platform/Gl.h"
#include "render/PassMode.h"

namespace {
constexpr float kMarginPixels = 8;
constexpr float kDepthMargin = 1e-3f;

// a x b for column-major 4 x 4 matrices.
void Multiply(const float* a, const float* b, float* out) {
  for (int column = 0; column < 4; ++column)
    for (int row = 0; row < 4; ++row) {
      float sum = 0;
      for (int k = 0; k < 4; ++k) sum += a[k * 4 + row] * b[column * 4 + k];
      out[column * 4 + row] = sum;
    }
}

// The box with corners lo..hi against the six planes, each widened by its margin.
bool BoxOutside(const ViewVolume& view, const float lo[3], const float hi[3]) {
  // For each plane, how many corners lie beyond it: -w <= x, x <= w, likewise y and z.
  int beyond[6] = {};
  for (int corner = 0; corner < 8; ++corner) {
    const float p[3] = {corner & 1 ? hi[0] : lo[0], corner & 2 ? hi[1] : lo[1], corner & 4 ? hi[2] : lo[2]};
    float c[4];
    for (int row = 0; row < 4; ++row)
      c[row] = view.clip[row] * p[0] + view.clip[4 + row] * p[1] + view.clip[8 + row] * p[2] + view.clip[12 + row];
    const float w = c[3], reach = std::fabs(w);
    beyond[0] += c[0] + w < -view.marginX * reach;
    beyond[1] += w - c[0] < -view.marginX * reach;
    beyond[2] += c[1] + w < -view.marginY * reach;
    beyond[3] += w - c[1] < -view.marginY * reach;
    beyond[4] += c[2] + w < -kDepthMargin * reach;
    beyond[5] += w - c[2] < -kDepthMargin * reach;
  }
  for (const int count : beyond)
    if (count == 8) return true;
  return false;
}
}  // namespace

ViewVolume CurrentViewVolume() {
  ViewVolume view;
  view.culling = FramePassMode() == PassMode::shortcuts;
  if (!view.culling) return view;
  float projection[16], modelview[16];
  glGetFloatv(GL_PROJECTION_MATRIX, projection);
  glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  Multiply(projection, modelview, view.clip);
  view.marginX = 2 * kMarginPixels / static_cast<float>(viewport[2]);
  view.marginY = 2 * kMarginPixels / static_cast<float>(viewport[3]);
  return view;
}

bool PillarOutside(const ViewVolume& view, float x, float z, float halfHeight) {
  if (!view.culling) return false;
  const float lo[3] = {x - 1, -halfHeight, z - 1}, hi[3] = {x + 1, halfHeight, z + 1};
  return BoxOutside(view, lo, hi);
}

float ViewDistance(const ViewVolume& view, float x, float z) { return view.clip[3] * x + view.clip[11] * z + view.clip[15]; }
