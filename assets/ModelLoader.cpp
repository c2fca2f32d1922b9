// The two reading passes of the OBJ loader. Both walk the same token stream; the counting pass
// sizes every array, the filling pass fills them and never writes past what was counted.
#include "assets/ModelLoader.h"

#include <cstdlib>
#include <cstring>

namespace {
enum class LineKind { comment, position, normal, texCoord, none, group, face, skipped };

// Classification looks at the first character only ("foo" starts a face, "vtx" is a "vt").
LineKind Classify(const char* token) {
  switch (token[0]) {
    case '#': return LineKind::comment;
    case 'g': return LineKind::group;
    case 'f': return LineKind::face;
    case 'v':
      if (token[1] == '\0') return LineKind::position;
      if (token[1] == 'n') return LineKind::normal;
      if (token[1] == 't') return LineKind::texCoord;
      return LineKind::none;
    default: return LineKind::skipped;
  }
}

void SkipRestOfLine(ObjReader& reader) {
  char line[kObjPieceCapacity];
  ReadObjLine(reader, line);
}

// The group name is the first word of the rest of the line; a line without one ("g" and a
// line break) names the group by that raw rest.
void ReadGroupName(ObjReader& reader, char name[kObjPieceCapacity]) {
  char line[kObjPieceCapacity];
  if (!ReadObjLine(reader, line)) {
    name[0] = '\0';
    return;
  }
  ObjReader words{line, std::strlen(line), 0};
  if (!ReadObjToken(words, name)) std::memcpy(name, line, sizeof line);
}

ModelGroup* FindGroup(ModelGroup* groups, const char* name) {
  for (ModelGroup* group = groups; group; group = group->next) {
    if (std::strcmp(group->name, name) == 0) return group;
  }
  return nullptr;
}

ModelGroup* CreateGroup(Model& model, const char* name, ModelAllocator& allocator) {
  auto* group = static_cast<ModelGroup*>(AllocateModelArray(allocator, 1, sizeof(ModelGroup)));
  const size_t nameSize = std::strlen(name) + 1;
  auto* copy = static_cast<char*>(AllocateModelArray(allocator, nameSize, 1));
  if (!group || !copy) {
    std::free(group);
    std::free(copy);
    return nullptr;
  }
  std::memcpy(copy, name, nameSize);
  group->name = copy;
  group->next = model.groups;
  model.groups = group;
  ++model.numGroups;
  return group;
}

// Reads the corners after a face keyword and hands every triangle of the fan to emit, with
// whether the corner form carries texture indices. A corner read that fails repeats the values
// of the corner before it; the face ends at the first further read that matches nothing.
template <class Emit>
void ReadFace(ObjReader& reader, Emit emit) {
  char token[kObjPieceCapacity] = "";
  ReadObjToken(reader, token);
  const CornerForm form = ChooseCornerForm(token);
  const bool hasTexture = form == CornerForm::vertexTextureNormal || form == CornerForm::vertexTexture;
  CornerIndices corner;
  CornerIndices fan[3];
  ScanCornerToken(token, form, corner);
  fan[0] = corner;
  ScanCorner(reader, form, corner);
  fan[1] = corner;
  ScanCorner(reader, form, corner);
  fan[2] = corner;
  while (true) {
    ModelTriangle triangle;
    for (int j = 0; j < 3; ++j) {
      triangle.vertexIndices[j] = fan[j].vertex;
      triangle.texCoordIndices[j] = fan[j].texture;
    }
    emit(triangle, hasTexture);
    if (ScanCorner(reader, form, corner) < 1) return;
    fan[1] = fan[2];
    fan[2] = corner;
  }
}

// Indices outside 1..count are drawn with the placeholder entry 0; each stored corner that
// needed it is counted.
int32_t CheckedIndex(int32_t index, uint32_t count, uint32_t& replaced) {
  if (index >= 1 && static_cast<uint32_t>(index) <= count) return index;
  ++replaced;
  return 0;
}

void ReadFloats(ObjReader& reader, float* values, int count) {
  for (int i = 0; i < count; ++i) {
    if (!ScanObjFloat(reader, values[i])) return;
  }
}

const GroupCapacity* FindSlot(const std::vector<GroupCapacity>& groups, const char* name) {
  for (const GroupCapacity& slot : groups) {
    if (std::strcmp(slot.group->name, name) == 0) return &slot;
  }
  return nullptr;
}
}  // namespace

void* AllocateModelArray(ModelAllocator& allocator, size_t count, size_t entrySize) {
  if (allocator.failed) return nullptr;
  if (count == 0) return nullptr;
  if (count > allocator.bytesLeft / entrySize) {
    allocator.failed = true;
    return nullptr;
  }
  void* block = std::calloc(count, entrySize);
  if (!block) {
    allocator.failed = true;
    return nullptr;
  }
  allocator.bytesLeft -= count * entrySize;
  return block;
}

std::vector<GroupCapacity> CountPass(ObjReader& reader, Model& model, ModelAllocator& allocator) {
  uint64_t vertices = 0, texCoords = 0, triangles = 0;
  ModelGroup* current = CreateGroup(model, "default", allocator);
  if (!current) return {};
  char token[kObjPieceCapacity];
  char name[kObjPieceCapacity];
  while (ReadObjToken(reader, token)) {
    switch (Classify(token)) {
      case LineKind::position:
        ++vertices;
        SkipRestOfLine(reader);
        break;
      case LineKind::texCoord:
        ++texCoords;
        SkipRestOfLine(reader);
        break;
      case LineKind::group:
        ReadGroupName(reader, name);
        current = FindGroup(model.groups, name);
        if (!current) current = CreateGroup(model, name, allocator);
        if (!current) return {};
        break;
      case LineKind::face:
        ReadFace(reader, [&](const ModelTriangle&, bool) {
          ++current->numTriangles;
          ++triangles;
        });
        break;
      case LineKind::none: break;
      case LineKind::comment:
      case LineKind::normal:
      case LineKind::skipped: SkipRestOfLine(reader); break;
    }
  }
  // Entry 0 is a placeholder, so a count must leave room for one more.
  if (vertices >= UINT32_MAX || texCoords >= UINT32_MAX || triangles >= UINT32_MAX) {
    allocator.failed = true;
    return {};
  }
  model.numVertices = static_cast<uint32_t>(vertices);
  model.numTexCoords = static_cast<uint32_t>(texCoords);
  model.numTriangles = static_cast<uint32_t>(triangles);
  std::vector<GroupCapacity> slots;
  for (ModelGroup* group = model.groups; group; group = group->next) {
    group->triangles = static_cast<int32_t*>(AllocateModelArray(allocator, group->numTriangles, sizeof(int32_t)));
    if (allocator.failed) return {};
    slots.push_back({group, group->numTriangles});
    group->numTriangles = 0;
  }
  return slots;
}

void FillPass(ObjReader& reader, Model& model, const std::vector<GroupCapacity>& groups, ModelLoadReport& report) {
  const GroupCapacity* current = FindSlot(groups, "default");
  uint32_t nextTriangle = 0, nextVertex = 1, nextTexCoord = 1;
  char token[kObjPieceCapacity];
  char name[kObjPieceCapacity];
  while (ReadObjToken(reader, token)) {
    switch (Classify(token)) {
      case LineKind::position: {
        float position[3] = {0, 0, 0};
        ReadFloats(reader, position, 3);
        if (nextVertex <= model.numVertices) {
          std::memcpy(model.vertices[nextVertex++], position, sizeof position);
        } else {
          ++report.droppedVertices;
        }
        break;
      }
      case LineKind::texCoord: {
        float st[2] = {0, 0};
        ReadFloats(reader, st, 2);
        if (nextTexCoord <= model.numTexCoords) {
          std::memcpy(model.texCoords[nextTexCoord++], st, sizeof st);
        } else {
          ++report.droppedTexCoords;
        }
        break;
      }
      case LineKind::normal: {
        float ignored[3];
        ReadFloats(reader, ignored, 3);
        break;
      }
      case LineKind::group: {
        ReadGroupName(reader, name);
        // The counting pass made every group; a name it never saw keeps the current group.
        if (const GroupCapacity* found = FindSlot(groups, name)) current = found;
        break;
      }
      case LineKind::face:
        ReadFace(reader, [&](ModelTriangle triangle, bool hasTexture) {
          for (int j = 0; j < 3; ++j) {
            int32_t& vertex = triangle.vertexIndices[j];
            int32_t& texture = triangle.texCoordIndices[j];
            vertex = CheckedIndex(vertex, model.numVertices, report.replacedVertexIndices);
            if (!hasTexture || model.numTexCoords == 0) {
              texture = 0;
            } else {
              texture = CheckedIndex(texture, model.numTexCoords, report.replacedTexCoordIndices);
            }
          }
          ModelGroup* group = current ? current->group : nullptr;
          if (!group || nextTriangle >= model.numTriangles || group->numTriangles >= current->capacity) {
            ++report.droppedTriangles;
            return;
          }
          model.triangles[nextTriangle] = triangle;
          group->triangles[group->numTriangles++] = static_cast<int32_t>(nextTriangle++);
        });
        break;
      case LineKind::none: break;
      case LineKind::comment:
      case LineKind::skipped: SkipRestOfLine(reader); break;
    }
  }
}
