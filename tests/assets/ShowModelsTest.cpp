// The show's five model files, where the build has generated them: they must load without any
// index needing the placeholder and without the two reading passes disagreeing.
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "assets/Model.h"
#include "platform/FileBytes.h"

namespace {
TEST(ShowModelsTest, GeneratedModelsLoadWithoutRepairs) {
  int found = 0;
  for (const char* stem : {"dolphin", "gubbe2", "deformed", "deformed2", "spikeball"}) {
    const std::string path = std::string("data/3d/") + stem + ".obj";
    std::vector<uint8_t> probe;
    if (!ReadFileBytes(path, probe)) continue;
    ++found;
    SCOPED_TRACE(path);
    Model model{};
    ModelLoadReport report;
    ASSERT_EQ(LoadModel(model, path.c_str(), report), 1);
    std::printf("%s: %u vertices, %u texture coordinates, %u triangles, %u groups; replaced %u vertex and %u "
                "texture indices, dropped %u triangles, %u positions, %u texture coordinates\n",
                stem, model.numVertices, model.numTexCoords, model.numTriangles, model.numGroups,
                report.replacedVertexIndices, report.replacedTexCoordIndices, report.droppedTriangles,
                report.droppedVertices, report.droppedTexCoords);
    EXPECT_GT(model.numTriangles, 0u);
    EXPECT_EQ(report.replacedVertexIndices, 0u);
    EXPECT_EQ(report.replacedTexCoordIndices, 0u);
    EXPECT_EQ(report.droppedTriangles + report.droppedVertices + report.droppedTexCoords, 0u);
    FreeModel(model);
  }
  if (found == 0) GTEST_SKIP() << "no generated models in data/3d";
}
}  // namespace
