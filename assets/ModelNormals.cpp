// Per-vertex normals: the sum of the unnormalised face normals around each vertex, so larger
// triangles weigh more; the scenes' sphere mapping takes its coordinates from them.
#include <cmath>

#include "assets/ModelLoader.h"

void ComputeVertexNormals(Model& model) {
  float (*normals)[3] = model.normals;
  const float (*positions)[3] = model.vertices;
  for (uint32_t i = 0; i <= model.numVertices; ++i) normals[i][0] = normals[i][1] = normals[i][2] = 0;
  for (const ModelGroup* group = model.groups; group; group = group->next) {
    for (uint32_t k = 0; k < group->numTriangles; ++k) {
      const int32_t* corners = model.triangles[group->triangles[k]].vertexIndices;
      const float* p0 = positions[corners[0]];
      const float* p1 = positions[corners[1]];
      const float* p2 = positions[corners[2]];
      const float u[3] = {p1[0] - p0[0], p1[1] - p0[1], p1[2] - p0[2]};
      const float v[3] = {p2[0] - p0[0], p2[1] - p0[1], p2[2] - p0[2]};
      const float n[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
      for (int j = 0; j < 3; ++j) {
        float* sum = normals[corners[j]];
        sum[0] += n[0];
        sum[1] += n[1];
        sum[2] += n[2];
      }
    }
  }
  for (uint32_t i = 0; i <= model.numVertices; ++i) {
    float* n = normals[i];
    const float scale = 1.0f / std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    // Unused vertices (and the placeholder) keep a zero normal rather than NaN.
    if (!std::isfinite(scale)) continue;
    n[0] *= scale;
    n[1] *= scale;
    n[2] *= scale;
  }
}
