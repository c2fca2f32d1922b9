// The headless context of the tools on OpenGL ES 3 with the GL 1.x layer on top: the same
// interface as the desktop one, so a capture of the show through the layer needs no other code.
#include <algorithm>
#include <cstring>

#include "platform/HeadlessEgl.h"
#define VEX_GL_LAYER_IMPLEMENTATION
#include "platform/webgl/GlLayer.h"

bool CreateHeadlessGl(int width, int height, HeadlessGl& gl, std::string& error) {
  const EGLint contextAttributes[] = {EGL_CONTEXT_MAJOR_VERSION, 3, EGL_NONE};
  if (!CreateEglPbufferContext(width, height, EGL_OPENGL_ES_API, EGL_OPENGL_ES3_BIT, contextAttributes, gl, error))
    return false;
  if (!vglInit(width, height)) {
    DestroyHeadlessGl(gl);
    error = "GL layer: its shader did not build";
    return false;
  }
  return true;
}

// Rectangle textures are ES 2D textures here, so the texture size bounds the picture too.
GlFit HeadlessGlFits(int width, int height, std::string& message) {
  HeadlessGl probe;
  if (!CreateHeadlessGl(16, 16, probe, message)) return GlFit::noContext;
  GLint viewport[2] = {0, 0}, texture = 0;
  glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewport);
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &texture);
  DestroyHeadlessGl(probe);
  const int most[2] = {std::min(viewport[0], texture), std::min(viewport[1], texture)};
  if (width <= most[0] && height <= most[1]) return GlFit::fits;
  message = std::to_string(most[0]) + " x " + std::to_string(most[1]) + " (GL_MAX_VIEWPORT_DIMS, GL_MAX_TEXTURE_SIZE)";
  return GlFit::tooLarge;
}

void ReadFrameRgb(int width, int height, std::vector<uint8_t>& rgb) {
  ReadPictureRgb(width, height, width, height, rgb);
}

// ES reads RGBA only: the picture is read at four bytes a pixel, packed to three in place, then
// copied into the middle of the frame top row first, the bars around it black.
void ReadPictureRgb(int width, int height, int frameWidth, int frameHeight, std::vector<uint8_t>& rgb) {
  vglFlush();  // the layer's last batch of primitives
  const size_t rowBytes = static_cast<size_t>(frameWidth) * 3;
  const size_t pictureBytes = static_cast<size_t>(width) * height * 4;
  rgb.assign(std::max(rowBytes * frameHeight, pictureBytes), 0);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgb.data());
  const size_t pixels = static_cast<size_t>(width) * height;
  for (size_t p = 0; p < pixels; ++p)
    for (int c = 0; c < 3; ++c) rgb[p * 3 + c] = rgb[p * 4 + c];
  const int left = (frameWidth - width) / 2, top = (frameHeight - height) / 2;
  const size_t pictureRow = static_cast<size_t>(width) * 3;
  std::vector<uint8_t> picture(rgb.begin(), rgb.begin() + static_cast<std::ptrdiff_t>(pixels * 3));
  std::fill(rgb.begin(), rgb.end(), 0);
  rgb.resize(rowBytes * frameHeight);
  for (int y = 0; y < height; ++y)
    std::memcpy(rgb.data() + rowBytes * (top + height - 1 - y) + static_cast<size_t>(left) * 3,
                picture.data() + pictureRow * y, pictureRow);
}
