// Framebuffer objects for the glow's half-size passes.
#include "render/glow/HalfTargets.h"

#include "render/FramebufferProcs.h"

namespace {
const FramebufferProcs* procs = nullptr;
GLint outside = 0;  // the window's (or pbuffer's) framebuffer, while a half target is bound
bool insideTarget = false;
}  // namespace

HalfTargets CreateHalfTargets(const char* extensions, GLuint first, GLuint second) {
  HalfTargets targets;
  targets.texture[0] = first;
  targets.texture[1] = second;
  procs = FindFramebufferProcs(extensions);
  if (!procs) return targets;
  GLint bound = 0;
  glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
  bool complete = true;
  for (int i = 0; i < 2; ++i) {
    procs->genFramebuffers(1, &targets.framebuffer[i]);
    procs->bindFramebuffer(GL_FRAMEBUFFER, targets.framebuffer[i]);
    procs->framebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_RECTANGLE_ARB, targets.texture[i], 0);
    complete = complete && procs->checkFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
  }
  procs->bindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(bound));
  targets.ready = complete;
  if (!complete) DeleteHalfTargets(targets);
  return targets;
}

void DeleteHalfTargets(HalfTargets& targets) {
  for (GLuint& framebuffer : targets.framebuffer) {
    if (framebuffer) procs->deleteFramebuffers(1, &framebuffer);
    framebuffer = 0;
  }
  targets.ready = false;
}

void DrawIntoHalfTarget(const HalfTargets& targets, int index) {
  if (!insideTarget) glGetIntegerv(GL_FRAMEBUFFER_BINDING, &outside);
  insideTarget = true;
  procs->bindFramebuffer(GL_FRAMEBUFFER, targets.framebuffer[index]);
}

void ShrinkIntoHalfTarget(const HalfTargets& targets, int index, int width, int height) {
  procs->bindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(outside));
  procs->blitFramebuffer(0, 0, width, height, 0, 0, width / 2, height / 2, GL_COLOR_BUFFER_BIT, GL_LINEAR);
  procs->bindFramebuffer(GL_READ_FRAMEBUFFER, targets.framebuffer[index]);
}

void DrawIntoOutside() {
  if (!insideTarget) return;
  procs->bindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(outside));
  insideTarget = false;
}
