// Framebuffer objects for the glow's half-size passes, looked up at run time because the
// browser's layer has none (its extension string does not name them).
#include "render/glow/HalfTargets.h"

#include "platform/GlProcAddress.h"
#include "render/GlExtensions.h"

namespace {
struct FramebufferProcs {
  PFNGLGENFRAMEBUFFERSPROC gen = nullptr;
  PFNGLDELETEFRAMEBUFFERSPROC erase = nullptr;
  PFNGLBINDFRAMEBUFFERPROC bind = nullptr;
  PFNGLFRAMEBUFFERTEXTURE2DPROC attach = nullptr;
  PFNGLCHECKFRAMEBUFFERSTATUSPROC status = nullptr;
  PFNGLBLITFRAMEBUFFERPROC blit = nullptr;
};
FramebufferProcs procs;
GLint outside = 0;  // the window's (or pbuffer's) framebuffer, while a half target is bound
bool insideTarget = false;

bool FindProcs() {
  return FindGlProc(procs.gen, "glGenFramebuffers") && FindGlProc(procs.erase, "glDeleteFramebuffers") &&
         FindGlProc(procs.bind, "glBindFramebuffer") && FindGlProc(procs.attach, "glFramebufferTexture2D") &&
         FindGlProc(procs.status, "glCheckFramebufferStatus") && FindGlProc(procs.blit, "glBlitFramebuffer");
}
}  // namespace

HalfTargets CreateHalfTargets(const char* extensions, GLuint first, GLuint second) {
  HalfTargets targets;
  targets.texture[0] = first;
  targets.texture[1] = second;
  if (!HasGlExtension(extensions, "GL_ARB_framebuffer_object") || !FindProcs()) return targets;
  GLint bound = 0;
  glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
  bool complete = true;
  for (int i = 0; i < 2; ++i) {
    procs.gen(1, &targets.framebuffer[i]);
    procs.bind(GL_FRAMEBUFFER, targets.framebuffer[i]);
    procs.attach(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_RECTANGLE_ARB, targets.texture[i], 0);
    complete = complete && procs.status(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
  }
  procs.bind(GL_FRAMEBUFFER, static_cast<GLuint>(bound));
  targets.ready = complete;
  if (!complete) DeleteHalfTargets(targets);
  return targets;
}

void DeleteHalfTargets(HalfTargets& targets) {
  for (GLuint& framebuffer : targets.framebuffer) {
    if (framebuffer) procs.erase(1, &framebuffer);
    framebuffer = 0;
  }
  targets.ready = false;
}

void DrawIntoHalfTarget(const HalfTargets& targets, int index) {
  if (!insideTarget) glGetIntegerv(GL_FRAMEBUFFER_BINDING, &outside);
  insideTarget = true;
  procs.bind(GL_FRAMEBUFFER, targets.framebuffer[index]);
}

void ShrinkIntoHalfTarget(const HalfTargets& targets, int index, int width, int height) {
  procs.bind(GL_READ_FRAMEBUFFER, static_cast<GLuint>(outside));
  procs.blit(0, 0, width, height, 0, 0, width / 2, height / 2, GL_COLOR_BUFFER_BIT, GL_LINEAR);
  procs.bind(GL_READ_FRAMEBUFFER, targets.framebuffer[index]);
}

void DrawIntoOutside() {
  if (!insideTarget) return;
  procs.bind(GL_FRAMEBUFFER, static_cast<GLuint>(outside));
  insideTarget = false;
}
