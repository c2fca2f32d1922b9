// The steps of the OBJ loader, internal to LoadModel: counting pass, filling pass, normals.
#pragma once
#include <vector>

#include "assets/Model.h"
#include "assets/ObjReader.h"

// Every allocation of one load, within a memory limit; a failure ends the load.
struct ModelAllocator {
  size_t bytesLeft = 0;
  bool failed = false;
};

// A group with the room its index list was given by the counting pass.
struct GroupCapacity {
  ModelGroup* group;
  uint32_t capacity;
};

void* AllocateModelArray(ModelAllocator& allocator, size_t count, size_t entrySize);

// Counts positions, texture coordinates and triangles, creates the groups and sizes their
// index lists. Returns the groups with their capacities, or nothing when allocation failed.
std::vector<GroupCapacity> CountPass(ObjReader& reader, Model& model, ModelAllocator& allocator);
void FillPass(ObjReader& reader, Model& model, const std::vector<GroupCapacity>& groups, ModelLoadReport& report);
void ComputeVertexNormals(Model& model);
