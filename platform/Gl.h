// The OpenGL 1.x and GLU declarations the show draws with, in one place.
#pragma once
#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>
// The browser build (and its native check) draws through a GL 1.x layer over OpenGL ES 3.
#ifdef VEX_GL_LAYER
#include "platform/webgl/GlLayer.h"
#endif
