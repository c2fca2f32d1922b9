// The scanning primitives of the OBJ loader over an in-memory file: whitespace-delimited tokens
// and line remainders read in bounded pieces of at most 127 characters, integer patterns such
// as "%d/%d/%d", and floats. Nothing here can read or write outside its buffers.
#pragma once
#include <cstddef>
#include <cstdint>

constexpr int kObjPieceCapacity = 128;  // 127 characters and the terminating zero

// The four corner forms of a face, each a pattern of integer fields and literal slashes.
enum class CornerForm { vertexNormal, vertexTextureNormal, vertexTexture, vertexOnly };

// Vertex, texture and normal index of one face corner, in pattern order.
struct CornerIndices {
  int32_t vertex = 0;
  int32_t texture = 0;
  int32_t normal = 0;
};

struct ObjReader {
  const char* text = nullptr;  // zero-terminated copy of the file
  size_t size = 0;
  size_t pos = 0;
};

// Skips white space, then reads at most 127 non-white characters into piece. False at the end.
bool ReadObjToken(ObjReader& reader, char piece[kObjPieceCapacity]);
// Reads at most 127 characters up to and including the next line break. False at the end.
bool ReadObjLine(ObjReader& reader, char piece[kObjPieceCapacity]);
// Reads a float after optional white space. On a mismatch nothing but the white space is used.
bool ScanObjFloat(ObjReader& reader, float& value);

// Matches a corner pattern against the stream; returns the number of fields assigned (0 on a
// mismatch or at the end). Fields not reached keep their previous values.
int ScanCorner(ObjReader& reader, CornerForm form, CornerIndices& corner);
// The same match against one token.
int ScanCornerToken(const char* token, CornerForm form, CornerIndices& corner);
// The corner form chosen from a face's first corner token.
CornerForm ChooseCornerForm(const char* token);
