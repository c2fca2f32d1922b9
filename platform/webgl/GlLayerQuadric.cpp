// GLU's spheres and cylinders for the GL 1.x layer: the same vertices, normals and texture
// coordinates in the same order as GLU, so the tessellation matches Mesa's window frame for frame.
#include <cmath>
#include <initializer_list>

#define VEX_GL_LAYER_IMPLEMENTATION
#include "platform/webgl/GlLayer.h"

struct GLUquadric {
  bool smoothNormals = true;
  bool textureCoords = false;
};

namespace {
constexpr int kMaxSlices = 239;  // GLU's cache holds 240 angles
constexpr GLenum kSmooth = 100000;
constexpr GLenum kQuadStrip = 0x0008;
GLUquadric quadric;  // the show makes one; every gluNewQuadric hands out this one

// Sines and cosines of the slices' angles around z, the first repeated at the end to close the
// surface; angles are rounded to float before their sines, as GLU rounds them.
void FillSliceAngles(int slices, float* sines, float* cosines) {
  for (int i = 0; i < slices; ++i) {
    const auto angle = static_cast<float>(2 * M_PI * i / slices);
    sines[i] = static_cast<float>(std::sin(angle));
    cosines[i] = static_cast<float>(std::cos(angle));
  }
  sines[slices] = sines[0];
  cosines[slices] = cosines[0];
}
}  // namespace

extern "C" {

GLUquadric* vgluNewQuadric(void) { return &quadric; }
void vgluQuadricNormals(GLUquadric* q, GLenum normals) { q->smoothNormals = normals == kSmooth; }
void vgluQuadricTexture(GLUquadric* q, GLboolean textureCoords) { q->textureCoords = textureCoords != 0; }

// Stacks of quad strips from the +z pole to the -z pole, pointing outwards.
void vgluSphere(GLUquadric* q, GLdouble radius, GLint slices, GLint stacks) {
  if (slices > kMaxSlices) slices = kMaxSlices;
  if (stacks > kMaxSlices) stacks = kMaxSlices;
  if (slices < 2 || stacks < 1 || radius < 0) return;
  float sinA[kMaxSlices + 1], cosA[kMaxSlices + 1];
  FillSliceAngles(slices, sinA, cosA);
  float sinB[kMaxSlices + 1], cosB[kMaxSlices + 1];    // unit, for normals
  float sinRB[kMaxSlices + 1], cosRB[kMaxSlices + 1];  // times the radius, for positions
  for (int j = 0; j <= stacks; ++j) {
    const auto angle = static_cast<float>(M_PI * j / stacks);
    sinB[j] = static_cast<float>(std::sin(angle));
    cosB[j] = static_cast<float>(std::cos(angle));
    sinRB[j] = static_cast<float>(radius * std::sin(angle));
    cosRB[j] = static_cast<float>(radius * std::cos(angle));
  }
  sinRB[0] = sinRB[stacks] = 0;  // the poles come to a point
  for (int j = 0; j < stacks; ++j) {
    vglBegin(kQuadStrip);
    for (int i = 0; i <= slices; ++i) {
      for (int k : {j + 1, j}) {
        if (q->smoothNormals) vglNormal3f(sinA[i] * sinB[k], cosA[i] * sinB[k], cosB[k]);
        if (q->textureCoords)
          vglTexCoord2f(1 - static_cast<float>(i) / slices, 1 - static_cast<float>(k) / stacks);
        vglVertex3f(sinRB[k] * sinA[i], sinRB[k] * cosA[i], cosRB[k]);
      }
    }
    vglEnd();
  }
}

// Quad strips along +z from the base radius to the top radius, pointing outwards.
void vgluCylinder(GLUquadric* q, GLdouble base, GLdouble top, GLdouble height, GLint slices, GLint stacks) {
  if (slices > kMaxSlices) slices = kMaxSlices;
  if (slices < 2 || stacks < 1 || base < 0 || top < 0 || height < 0) return;
  const auto delta = static_cast<float>(base - top);
  const auto length = static_cast<float>(std::sqrt(delta * delta + height * height));
  if (length == 0) return;
  const float zNormal = delta / length;
  const auto xyNormal = static_cast<float>(height / length);
  float sinA[kMaxSlices + 1], cosA[kMaxSlices + 1];
  FillSliceAngles(slices, sinA, cosA);
  for (int j = 0; j < stacks; ++j) {
    vglBegin(kQuadStrip);
    for (int i = 0; i <= slices; ++i) {
      if (q->smoothNormals) vglNormal3f(xyNormal * sinA[i], xyNormal * cosA[i], zNormal);
      for (int k : {j, j + 1}) {
        const auto z = static_cast<float>(k * height / stacks);
        const auto r = static_cast<float>(base - delta * (static_cast<float>(k) / stacks));
        if (q->textureCoords) vglTexCoord2f(1 - static_cast<float>(i) / slices, static_cast<float>(k) / stacks);
        vglVertex3f(r * sinA[i], r * cosA[i], z);
      }
    }
    vglEnd();
  }
}

}  // extern "C"
