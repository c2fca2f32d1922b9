// Bounded scanning of OBJ text: every read stops at the buffer's end or at 127 characters.
#include "assets/ObjReader.h"

#include <cstdlib>
#include <cstring>

namespace {
bool IsObjSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

void SkipSpace(const char* text, size_t size, size_t& pos) {
  while (pos < size && IsObjSpace(text[pos])) ++pos;
}

// A decimal integer with optional sign; values beyond 32 bits saturate (they are out of range
// as indices anyway). On a mismatch pos is left at the first character tried.
bool ScanInt(const char* text, size_t size, size_t& pos, int32_t& value) {
  SkipSpace(text, size, pos);
  size_t at = pos;
  bool negative = false;
  if (at < size && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  if (at >= size || text[at] < '0' || text[at] > '9') return false;
  int64_t magnitude = 0;
  for (; at < size && text[at] >= '0' && text[at] <= '9'; ++at) {
    if (magnitude <= INT32_MAX) magnitude = magnitude * 10 + (text[at] - '0');
  }
  if (negative) magnitude = -magnitude;
  if (magnitude > INT32_MAX) magnitude = INT32_MAX;
  if (magnitude < INT32_MIN) magnitude = INT32_MIN;
  value = static_cast<int32_t>(magnitude);
  pos = at;
  return true;
}

const char* CornerPattern(CornerForm form) {
  switch (form) {
    case CornerForm::vertexNormal: return "d//d";
    case CornerForm::vertexTextureNormal: return "d/d/d";
    case CornerForm::vertexTexture: return "d/d";
    case CornerForm::vertexOnly: break;
  }
  return "d";
}

// Which index each integer field of a form fills, in order.
int32_t* CornerField(CornerForm form, CornerIndices& corner, int field) {
  if (field == 0) return &corner.vertex;
  if (form == CornerForm::vertexNormal) return &corner.normal;
  return field == 1 ? &corner.texture : &corner.normal;
}

int MatchCorner(const char* text, size_t size, size_t& pos, CornerForm form, CornerIndices& corner) {
  int assigned = 0;
  for (const char* p = CornerPattern(form); *p; ++p) {
    if (*p == 'd') {
      int32_t value = 0;
      if (!ScanInt(text, size, pos, value)) break;
      *CornerField(form, corner, assigned++) = value;
    } else {
      if (pos >= size || text[pos] != *p) break;
      ++pos;
    }
  }
  return assigned;
}
}  // namespace

bool ReadObjToken(ObjReader& reader, char piece[kObjPieceCapacity]) {
  SkipSpace(reader.text, reader.size, reader.pos);
  if (reader.pos >= reader.size) return false;
  int length = 0;
  while (reader.pos < reader.size && length < kObjPieceCapacity - 1 && !IsObjSpace(reader.text[reader.pos])) {
    piece[length++] = reader.text[reader.pos++];
  }
  piece[length] = '\0';
  return true;
}

bool ReadObjLine(ObjReader& reader, char piece[kObjPieceCapacity]) {
  if (reader.pos >= reader.size) return false;
  int length = 0;
  while (reader.pos < reader.size && length < kObjPieceCapacity - 1) {
    const char c = reader.text[reader.pos++];
    piece[length++] = c;
    if (c == '\n') break;
  }
  piece[length] = '\0';
  return true;
}

bool ScanObjFloat(ObjReader& reader, float& value) {
  SkipSpace(reader.text, reader.size, reader.pos);
  if (reader.pos >= reader.size) return false;
  // The text is zero-terminated, so strtof cannot run past its end.
  char* end = nullptr;
  const float parsed = std::strtof(reader.text + reader.pos, &end);
  if (end == reader.text + reader.pos) return false;
  value = parsed;
  reader.pos = static_cast<size_t>(end - reader.text);
  return true;
}

int ScanCorner(ObjReader& reader, CornerForm form, CornerIndices& corner) {
  return MatchCorner(reader.text, reader.size, reader.pos, form, corner);
}

int ScanCornerToken(const char* token, CornerForm form, CornerIndices& corner) {
  size_t pos = 0;
  return MatchCorner(token, std::strlen(token), pos, form, corner);
}

CornerForm ChooseCornerForm(const char* token) {
  if (std::strstr(token, "//")) return CornerForm::vertexNormal;
  CornerIndices probe;
  if (ScanCornerToken(token, CornerForm::vertexTextureNormal, probe) == 3) return CornerForm::vertexTextureNormal;
  if (ScanCornerToken(token, CornerForm::vertexTexture, probe) == 2) return CornerForm::vertexTexture;
  return CornerForm::vertexOnly;
}
