// LoadModel: reads an OBJ file into a Model with two passes over its bytes; FreeModel undoes it.
#include "assets/Model.h"

#include <cstdlib>
#include <string>
#include <vector>

#include "assets/ModelLoader.h"
#include "platform/FileBytes.h"

namespace {
bool AllocateArrays(Model& model, ModelAllocator& allocator) {
  model.triangles =
      static_cast<ModelTriangle*>(AllocateModelArray(allocator, model.numTriangles, sizeof(ModelTriangle)));
  model.vertices = static_cast<float(*)[3]>(AllocateModelArray(allocator, model.numVertices + 1, sizeof(float[3])));
  model.normals = static_cast<float(*)[3]>(AllocateModelArray(allocator, model.numVertices + 1, sizeof(float[3])));
  if (model.numTexCoords != 0) {
    model.texCoords =
        static_cast<float(*)[2]>(AllocateModelArray(allocator, model.numTexCoords + 1, sizeof(float[2])));
  }
  return !allocator.failed;
}
}  // namespace

void FreeModel(Model& model) {
  for (ModelGroup* group = model.groups; group;) {
    ModelGroup* next = group->next;
    std::free(group->name);
    std::free(group->triangles);
    std::free(group);
    group = next;
  }
  std::free(model.vertices);
  std::free(model.normals);
  std::free(model.texCoords);
  std::free(model.triangles);
  model = Model{};
}

int LoadModelFromBytes(Model& model, const uint8_t* bytes, size_t size, ModelLoadReport& report,
                       size_t memoryLimit) {
  report = ModelLoadReport{};
  model = Model{};
  // A zero-terminated copy lets the float scanner stop at the end of the file.
  const std::string text(reinterpret_cast<const char*>(bytes), size);
  ObjReader reader{text.c_str(), text.size(), 0};
  ModelAllocator allocator{memoryLimit, false};
  const std::vector<GroupCapacity> groups = CountPass(reader, model, allocator);
  if (allocator.failed || !AllocateArrays(model, allocator)) {
    FreeModel(model);
    report.allocationFailed = true;
    return 0;
  }
  reader.pos = 0;
  FillPass(reader, model, groups, report);
  ComputeVertexNormals(model);
  return 1;
}

int LoadModel(Model& model, const char* path, ModelLoadReport& report) {
  std::vector<uint8_t> bytes;
  if (!ReadFileBytes(path, bytes)) return 0;
  return LoadModelFromBytes(model, bytes.data(), bytes.size(), report);
}

int LoadModel(Model& model, const char* path) {
  ModelLoadReport report;
  return LoadModel(model, path, report);
}
