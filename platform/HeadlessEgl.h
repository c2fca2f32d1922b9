// What the headless contexts (desktop GL for the tools, OpenGL ES 3 for the browser build's
// layer) share: an EGL pbuffer context on Mesa's surfaceless platform, and its ending.
#pragma once
#include <EGL/egl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/HeadlessGl.h"

// A width x height RGBA8 pbuffer with a 16-bit depth buffer for api (EGL_OPENGL_API or
// EGL_OPENGL_ES_API; renderableBit the matching EGL_*_BIT), its context made current.
bool CreateEglPbufferContext(int width, int height, EGLenum api, EGLint renderableBit, const EGLint* contextAttributes,
                             HeadlessGl& gl, std::string& error);

// GL reads rows bottom-up; this swaps them in place so row 0 is the top of the picture (no
// scratch row, so a frame read into a buffer of the right size allocates nothing).
void FlipRgbRows(std::vector<uint8_t>& rgb, int width, int height);
