#include "render/glow/GlowTextures.h"

#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/GlExtensions.h"
#include "render/glow/RectQuad.h"

namespace {
GLuint CreateRectangleTexture(int width, int height, const std::vector<uint8_t>& black) {
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_RECTANGLE_ARB, name);
  glTexImage2D(GL_TEXTURE_RECTANGLE_ARB, 0, GL_RGB8, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, black.data());
  return name;
}
}  // namespace

GlowTextures CreateGlowTextures(int width, int height, const char* extensions) {
  GlowTextures made;
  const std::vector<uint8_t> black(static_cast<size_t>(width) * height * 3, 0);
  made.frame = CreateRectangleTexture(width, height, black);
  made.half = CreateRectangleTexture(width / 2, height / 2, black);
  made.targets = CreateHalfTargets(extensions, made.half, CreateRectangleTexture(width / 2, height / 2, black));
  made.width = width;
  made.height = height;
  made.ready = true;
  made.crossbar = HasGlExtension(extensions, "GL_ARB_texture_env_crossbar");
  glGetIntegerv(GL_MAX_TEXTURE_UNITS, &made.textureUnits);
  return made;
}

void DeleteGlowTextures(GlowTextures& textures) {
  DeleteHalfTargets(textures.targets);
  glDeleteTextures(1, &textures.frame);
  glDeleteTextures(2, textures.targets.texture);
  textures = GlowTextures{};
}

// Into the texture made at start-up; re-specifying it every frame gives the same texels at
// about three times the cost on a software renderer.
void CopyFramebuffer(int width, int height) {
  glCopyTexSubImage2D(GL_TEXTURE_RECTANGLE_ARB, 0, 0, 0, 0, 0, width, height);
}

void SetFiltering(GLuint texture, GLint filter) {
  glBindTexture(GL_TEXTURE_RECTANGLE_ARB, texture);
  glTexParameteri(GL_TEXTURE_RECTANGLE_ARB, GL_TEXTURE_MIN_FILTER, filter);
  glTexParameteri(GL_TEXTURE_RECTANGLE_ARB, GL_TEXTURE_MAG_FILTER, filter);
}

void SetHalfFiltering(const GlowTextures& textures, GLint filter) {
  for (const GLuint texture : textures.targets.texture) SetFiltering(texture, filter);
  glBindTexture(GL_TEXTURE_RECTANGLE_ARB, textures.half);
}

int SpareHalfIndex(const GlowTextures& textures) { return textures.targets.texture[0] == textures.half ? 1 : 0; }

void DrawIntoSpareHalf(const GlowTextures& textures) { DrawIntoHalfTarget(textures.targets, SpareHalfIndex(textures)); }

void StoreHalf(GlowTextures& textures, bool intoTargets) {
  if (!intoTargets) {
    CopyFramebuffer(textures.HalfWidth(), textures.HalfHeight());
    return;
  }
  textures.half = textures.targets.texture[SpareHalfIndex(textures)];
  DrawIntoSpareHalf(textures);
  glBindTexture(GL_TEXTURE_RECTANGLE_ARB, textures.half);
}

void ShrinkByBlit(GlowTextures& textures) {
  ShrinkIntoHalfTarget(textures.targets, SpareHalfIndex(textures), textures.width, textures.height);
  StoreHalf(textures, true);
}

void DrawFull(int width, int height) {
  glBegin(GL_QUADS);
  DrawRectQuad(width, height, 0, 0);
  glEnd();
}

void DrawHalfShifted(const GlowTextures& textures, int u, int v) {
  DrawRectQuad(textures.HalfWidth(), textures.HalfHeight(), u, v);
}
