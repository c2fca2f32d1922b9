// A loaded Wavefront OBJ model: positions, per-vertex normals, texture coordinates and
// triangles sorted into named groups (newest group first).
#pragma once
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

// Returns 1 after a load, 0 when the file cannot be opened (model left unchanged).
int LoadModel(Model& model, const char* path);

// Sends every triangle in immediate mode; changes no GL state but the current normal/texcoord.
void DrawModel(const Model& model);
