#include "render/FramebufferProcs.h"

#include "platform/GlProcAddress.h"
#include "render/GlExtensions.h"

namespace {
FramebufferProcs procs;

bool FindAll() {
  return FindGlProc(procs.genFramebuffers, "glGenFramebuffers") &&
         FindGlProc(procs.deleteFramebuffers, "glDeleteFramebuffers") &&
         FindGlProc(procs.bindFramebuffer, "glBindFramebuffer") &&
         FindGlProc(procs.framebufferTexture2D, "glFramebufferTexture2D") &&
         FindGlProc(procs.framebufferRenderbuffer, "glFramebufferRenderbuffer") &&
         FindGlProc(procs.checkFramebufferStatus, "glCheckFramebufferStatus") &&
         FindGlProc(procs.blitFramebuffer, "glBlitFramebuffer") &&
         FindGlProc(procs.genRenderbuffers, "glGenRenderbuffers") &&
         FindGlProc(procs.deleteRenderbuffers, "glDeleteRenderbuffers") &&
         FindGlProc(procs.bindRenderbuffer, "glBindRenderbuffer") &&
         FindGlProc(procs.renderbufferStorage, "glRenderbufferStorage");
}
}  // namespace

const FramebufferProcs* FindFramebufferProcs(const char* extensions) {
  if (!HasGlExtension(extensions, "GL_ARB_framebuffer_object") || !FindAll()) return nullptr;
  return &procs;
}
