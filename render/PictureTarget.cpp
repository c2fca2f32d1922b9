#include "render/PictureTarget.h"

#include "render/FramebufferProcs.h"

namespace {
// The window's own framebuffer: SDL's windows and the headless pbuffer both draw into 0.
constexpr GLuint kWindowFramebuffer = 0;
const FramebufferProcs* procs = nullptr;

GLuint MakeRenderbuffer(GLenum format, int width, int height) {
  GLuint name = 0;
  procs->genRenderbuffers(1, &name);
  procs->bindRenderbuffer(GL_RENDERBUFFER, name);
  procs->renderbufferStorage(GL_RENDERBUFFER, format, width, height);
  return name;
}
}  // namespace

bool SizePictureTarget(PictureTarget& target, int width, int height, const char* extensions) {
  DeletePictureTarget(target);
  procs = FindFramebufferProcs(extensions);
  if (!procs || width <= 0 || height <= 0) return false;
  target.width = width;
  target.height = height;
  target.color = MakeRenderbuffer(GL_RGB8, width, height);
  target.depth = MakeRenderbuffer(GL_DEPTH_COMPONENT16, width, height);
  procs->genFramebuffers(1, &target.framebuffer);
  procs->bindFramebuffer(GL_FRAMEBUFFER, target.framebuffer);
  procs->framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, target.color);
  procs->framebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, target.depth);
  target.ready = procs->checkFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
  procs->bindFramebuffer(GL_FRAMEBUFFER, kWindowFramebuffer);
  if (!target.ready) DeletePictureTarget(target);
  return target.ready;
}

void DeletePictureTarget(PictureTarget& target) {
  if (target.framebuffer) procs->deleteFramebuffers(1, &target.framebuffer);
  if (target.color) procs->deleteRenderbuffers(1, &target.color);
  if (target.depth) procs->deleteRenderbuffers(1, &target.depth);
  target = PictureTarget{};
}

void DrawIntoPictureTarget(const PictureTarget& target) {
  procs->bindFramebuffer(GL_FRAMEBUFFER, target.framebuffer);
}

// The clear covers the whole drawable (the bars): clears ignore the viewport, not the scissor.
void ShowPictureTarget(const PictureTarget& target, const PictureRect& shown) {
  GLfloat clearColor[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColor);
  const GLboolean scissor = glIsEnabled(GL_SCISSOR_TEST);
  glDisable(GL_SCISSOR_TEST);
  procs->bindFramebuffer(GL_DRAW_FRAMEBUFFER, kWindowFramebuffer);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  procs->bindFramebuffer(GL_READ_FRAMEBUFFER, target.framebuffer);
  const bool sameSize = shown.width == target.width && shown.height == target.height;
  procs->blitFramebuffer(0, 0, target.width, target.height, shown.x, shown.y, shown.x + shown.width,
                         shown.y + shown.height, GL_COLOR_BUFFER_BIT, sameSize ? GL_NEAREST : GL_LINEAR);
  procs->bindFramebuffer(GL_FRAMEBUFFER, kWindowFramebuffer);
  glClearColor(clearColor[0], clearColor[1], clearColor[2], clearColor[3]);
  if (scissor) glEnable(GL_SCISSOR_TEST);
}
