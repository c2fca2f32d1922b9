// A loaded Wavefront OBJ model: positions, per-vertex normals, texture coordinates and
// triangles sorted into named groups (newest group first).
#pragma once
#include <cstddef>
#include <cstdint>

struct ModelTriangle {
  int32_t vertexIndices[3];    // 1-based into vertices and normals
  int32_t texCoordIndices[3];  // 1-based into texCoords
};

struct ModelGroup {
  char* name;
  uint32_t numTriangles;
  int32_t* triangles;  // 0-based indices into Model::triangles, in file order
  ModelGroup* next;
};

struct Model {
  uint32_t numVertices;
  float (*vertices)[3];  // numVertices + 1 entries; entry 0 is a placeholder
  float (*normals)[3];
  uint32_t numTexCoords;
  float (*texCoords)[2];  // numTexCoords + 1 entries, absent when numTexCoords is 0
  uint32_t numTriangles;
  ModelTriangle* triangles;
  uint32_t numGroups;
  ModelGroup* groups;
};

// What a load had to mend. Indices outside 1..count are drawn with the placeholder entry 0;
// corners, positions and texture coordinates beyond the counted arrays are dropped (the two
// reading passes can disagree on malformed lines).
struct ModelLoadReport {
  uint32_t replacedVertexIndices = 0;
  uint32_t replacedTexCoordIndices = 0;
  uint32_t droppedTriangles = 0;
  uint32_t droppedVertices = 0;
  uint32_t droppedTexCoords = 0;
  bool allocationFailed = false;  // the model was left empty
};

// Upper bound on the memory one model may take; a file asking for more is refused.
constexpr size_t kModelMemoryLimit = size_t{512} << 20;

// Returns 1 after a load, 0 when the file cannot be opened (model left unchanged) or when the
// model does not fit in memory (model left empty).
int LoadModel(Model& model, const char* path);
int LoadModel(Model& model, const char* path, ModelLoadReport& report);
// The loader on the bytes of an OBJ file; same results as LoadModel.
int LoadModelFromBytes(Model& model, const uint8_t* bytes, size_t size, ModelLoadReport& report,
                       size_t memoryLimit = kModelMemoryLimit);
// Releases every array and group and zeroes the record (the show never does; tests do).
void FreeModel(Model& model);

// Sends every triangle in immediate mode; changes no GL state but the current normal/texcoord.
void DrawModel(const Model& model);
