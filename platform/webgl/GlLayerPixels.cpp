// The GL 1.x layer's state stack and pixel rectangles: glPushAttrib / glPopAttrib, and
// glDrawPixels / glReadPixels for the glow's start-up self-check, which draws a pattern byte for
// byte and reads the result back.
#include <cstring>

#include "platform/webgl/GlLayerState.h"
#define VEX_GL_LAYER_IMPLEMENTATION
#include "platform/webgl/GlLayer.h"

namespace {
bool* Switches[8] = {&layer.texture2d, &layer.textureRectangle, &layer.fog, &layer.texGenS,
                     &layer.texGenT, &layer.blend, &layer.depthTest, &layer.cullFace};
constexpr GLenum kEsSwitches[3] = {GL_BLEND, GL_DEPTH_TEST, GL_CULL_FACE};  // switches 5, 6, 7

void SetEsSwitch(GLenum cap, bool on) {
  if (on)
    glEnable(cap);
  else
    glDisable(cap);
}
}  // namespace

extern "C" {

void vglPushAttrib(GLbitfield) {
  if (layer.savedCount == kAttributeDepth) return;  // GL_STACK_OVERFLOW: nothing is saved
  LayerAttributes& a = layer.savedAttributes[layer.savedCount++];
  for (int i = 0; i < 8; ++i) a.switches[i] = *Switches[i];
  a.polygonLines = layer.polygonLines;
  a.lineWidth = layer.lineWidth;
  a.pointSize = layer.pointSize;
  a.fogStart = layer.fogStart;
  a.fogEnd = layer.fogEnd;
  std::memcpy(a.fogColour, layer.fogColour, sizeof a.fogColour);
  std::memcpy(a.colour, layer.colour, sizeof a.colour);
  std::memcpy(a.viewport, layer.viewport, sizeof a.viewport);
  a.bound2d = layer.bound2d;
  a.boundRectangle = layer.boundRectangle;
  glGetIntegerv(GL_BLEND_SRC_RGB, &a.blendSource);
  glGetIntegerv(GL_BLEND_DST_RGB, &a.blendDestination);
  glGetIntegerv(GL_DEPTH_FUNC, &a.depthFunc);
}

void vglPopAttrib(void) {
  if (layer.savedCount == 0) return;  // GL_STACK_UNDERFLOW
  DrawBatch();
  const LayerAttributes& a = layer.savedAttributes[--layer.savedCount];
  for (int i = 0; i < 8; ++i) *Switches[i] = a.switches[i];
  for (int i = 0; i < 3; ++i) SetEsSwitch(kEsSwitches[i], a.switches[5 + i]);
  layer.polygonLines = a.polygonLines;
  layer.lineWidth = a.lineWidth;
  layer.pointSize = a.pointSize;
  layer.fogStart = a.fogStart;
  layer.fogEnd = a.fogEnd;
  std::memcpy(layer.fogColour, a.fogColour, sizeof a.fogColour);
  std::memcpy(layer.colour, a.colour, sizeof a.colour);
  vglViewport(a.viewport[0], a.viewport[1], a.viewport[2], a.viewport[3]);
  vglBindTexture(GL_TEXTURE_2D, a.bound2d);
  vglBindTexture(gl1::kTextureRectangle, a.boundRectangle);
  glBlendFunc(static_cast<GLenum>(a.blendSource), static_cast<GLenum>(a.blendDestination));
  glDepthFunc(static_cast<GLenum>(a.depthFunc));
}

void vglWindowPos2i(GLint x, GLint y) {
  layer.rasterPosition[0] = x;
  layer.rasterPosition[1] = y;
}

// The rectangle as a textured quad over exactly its pixels, sampled texel for texel.
void vglDrawPixels(GLsizei width, GLsizei height, GLenum format, GLenum type, const void* pixels) {
  if (!layer.pixelTexture) vglGenTextures(1, &layer.pixelTexture);
  vglPushAttrib(0);
  vglBindTexture(GL_TEXTURE_2D, layer.pixelTexture);
  vglTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), width, height, 0, format, type, pixels);
  vglTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  vglTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  layer.texture2d = true;
  layer.textureRectangle = layer.texGenS = layer.texGenT = false;
  vglMatrixMode(gl1::kProjection);
  vglPushMatrix();
  vglLoadIdentity();
  const int* v = layer.viewport;
  vglOrtho(v[0], v[0] + v[2], v[1], v[1] + v[3], -1, 1);
  vglMatrixMode(gl1::kModelview);
  vglPushMatrix();
  vglLoadIdentity();
  const auto x = static_cast<float>(layer.rasterPosition[0]), y = static_cast<float>(layer.rasterPosition[1]);
  const auto w = static_cast<float>(width), h = static_cast<float>(height);
  vglColor4f(1, 1, 1, 1);
  vglBegin(gl1::kQuads);
  vglTexCoord2f(0, 0);
  vglVertex2f(x, y);
  vglTexCoord2f(1, 0);
  vglVertex2f(x + w, y);
  vglTexCoord2f(1, 1);
  vglVertex2f(x + w, y + h);
  vglTexCoord2f(0, 1);
  vglVertex2f(x, y + h);
  vglEnd();
  vglPopMatrix();
  vglMatrixMode(gl1::kProjection);
  vglPopMatrix();
  vglMatrixMode(gl1::kModelview);
  vglPopAttrib();
}

// ES reads RGBA only; RGB is packed from it with the caller's pack alignment.
void vglReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type, void* pixels) {
  DrawBatch();
  if (format != GL_RGB) {
    glReadPixels(x, y, width, height, format, type, pixels);
    return;
  }
  GLint alignment = 4;
  glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
  layer.readBack.resize(static_cast<size_t>(width) * height * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, layer.readBack.data());
  glPixelStorei(GL_PACK_ALIGNMENT, alignment);
  const size_t stride = (static_cast<size_t>(width) * 3 + alignment - 1) / alignment * alignment;
  auto* out = static_cast<uint8_t*>(pixels);
  for (GLsizei row = 0; row < height; ++row)
    for (GLsizei col = 0; col < width; ++col)
      std::memcpy(out + stride * row + col * 3, &layer.readBack[(static_cast<size_t>(row) * width + col) * 4], 3);
}

}  // extern "C"
