// Extension entry points through EGL's lookup, which returns the shared dispatch stubs.
#include "platform/GlProcAddress.h"

#include <EGL/egl.h>

GlProc GlProcAddress(const char* name) { return reinterpret_cast<GlProc>(eglGetProcAddress(name)); }
