// The glow's render textures: the frame's copy and the two half-size images the quarter-size
// passes take turns in, with what the renderer offers to draw them.
#pragma once
#include "platform/Gl.h"
#include "render/glow/HalfTargets.h"

struct GlowTextures {
  GLuint frame = 0;  // width x height copy of the frame
  GLuint half = 0;   // the shrunk and blurred image: one of the targets' textures
  HalfTargets targets;
  int width = 0, height = 0;
  bool ready = false;
  bool crossbar = false;  // a texture unit's stage may read another unit's sample
  int textureUnits = 1;   // fixed-function texture units
  int HalfWidth() const { return width / 2; }
  int HalfHeight() const { return height / 2; }
};

// Black textures of width x height and half that, with framebuffer objects where the extension
// string offers them.
GlowTextures CreateGlowTextures(int width, int height, const char* extensions);
void DeleteGlowTextures(GlowTextures& textures);

// The framebuffer's lower-left width x height into the bound rectangle texture.
void CopyFramebuffer(int width, int height);
// Linear filtering at texel centres returns the texel itself; nearest does the same for less.
void SetFiltering(GLuint texture, GLint filter);
// Both half textures; leaves the current one bound.
void SetHalfFiltering(const GlowTextures& textures, GLint filter);

// The half texture not holding the last stored pass.
int SpareHalfIndex(const GlowTextures& textures);
void DrawIntoSpareHalf(const GlowTextures& textures);
// Stores the quarter-size pass just drawn in the half texture and leaves that bound: a copy of
// the frame's corner, or with the targets a swap to the texture just drawn into.
void StoreHalf(GlowTextures& textures, bool intoTargets);
// The frame shrunk as the quarter-size pass samples it, by a filtered blit into the spare
// half, then stored.
void ShrinkByBlit(GlowTextures& textures);

// One full-viewport quad of the whole texture bound, w x h texels.
void DrawFull(int width, int height);
// One quad of the half image shifted by (u, v) texels, inside an open GL_QUADS batch.
void DrawHalfShifted(const GlowTextures& textures, int u, int v);
