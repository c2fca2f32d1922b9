// OBJ loader on arbitrary bytes: whatever the file holds, every stored index lies inside its
// array and every group's triangle list points into the model's triangles.
#include <cstdint>
#include <cstdlib>

#include "assets/Model.h"

namespace {

// Small enough that libFuzzer's memory limit is never the finding.
constexpr size_t kFuzzMemoryLimit = size_t{64} << 20;

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckModel(const Model& model) {
  for (uint32_t i = 0; i < model.numTriangles; ++i) {
    for (int j = 0; j < 3; ++j) {
      const int32_t vertex = model.triangles[i].vertexIndices[j];
      const int32_t texture = model.triangles[i].texCoordIndices[j];
      Check(vertex >= 0 && static_cast<uint32_t>(vertex) <= model.numVertices);
      Check(texture >= 0 && static_cast<uint32_t>(texture) <= model.numTexCoords);
    }
  }
  uint64_t grouped = 0;
  uint32_t groups = 0;
  for (const ModelGroup* group = model.groups; group; group = group->next, ++groups) {
    grouped += group->numTriangles;
    for (uint32_t k = 0; k < group->numTriangles; ++k)
      Check(group->triangles[k] >= 0 && static_cast<uint32_t>(group->triangles[k]) < model.numTriangles);
  }
  Check(groups == model.numGroups);
  Check(grouped <= model.numTriangles);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Model model{};
  ModelLoadReport report;
  if (LoadModelFromBytes(model, data, size, report, kFuzzMemoryLimit)) CheckModel(model);
  else Check(report.allocationFailed && model.numGroups == 0 && model.numTriangles == 0);
  FreeModel(model);
  return 0;
}
