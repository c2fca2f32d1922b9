// The GL 1.x layer's state calls: switches, matrices, textures and display lists.
#include "platform/webgl/GlLayerState.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#define VEX_GL_LAYER_IMPLEMENTATION
#include "platform/webgl/GlLayer.h"

GlLayer layer;

namespace {
constexpr Matrix4 kIdentity = {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};

// current = current x right, as glMultMatrix does.
void MultiplyCurrent(const Matrix4& right) {
  Matrix4& left = CurrentMatrix();
  Matrix4 product;
  for (int column = 0; column < 4; ++column)
    for (int row = 0; row < 4; ++row) {
      float sum = 0;
      for (int k = 0; k < 4; ++k) sum += left.m[k * 4 + row] * right.m[column * 4 + k];
      product.m[column * 4 + row] = sum;
    }
  left = product;
}

Matrix4 FromDouble(const double (&m)[16]) {
  Matrix4 result;
  for (int i = 0; i < 16; ++i) result.m[i] = static_cast<float>(m[i]);
  return result;
}

// Whether the layer keeps the switch itself; also sets it.
bool SetLayerSwitch(GLenum cap, bool on) {
  switch (cap) {
    case GL_TEXTURE_2D: layer.texture2d = on; return true;
    case gl1::kTextureRectangle: layer.textureRectangle = on; return true;
    case gl1::kFog: layer.fog = on; return true;
    case gl1::kTextureGenS: layer.texGenS = on; return true;
    case gl1::kTextureGenT: layer.texGenT = on; return true;
    case GL_BLEND: layer.blend = on; return false;
    case GL_DEPTH_TEST: layer.depthTest = on; return false;
    case GL_CULL_FACE: layer.cullFace = on; return false;
    default: return false;
  }
}

TextureInfo* InfoOf(GLuint name) { return name < layer.textures.size() ? &layer.textures[name] : nullptr; }

// Binds target's GL 1.x texture in ES, where every texture is a 2D one.
void BindForTarget(GLenum target) {
  const GLuint name = target == gl1::kTextureRectangle ? layer.boundRectangle : layer.bound2d;
  if (layer.boundInEs != name) glBindTexture(GL_TEXTURE_2D, name);
  layer.boundInEs = name;
}

}  // namespace

void Record(ListOp::Kind kind, GLenum mode, float a, float b, float c, float d) {
  layer.lists[layer.compiling].push_back({kind, mode, {a, b, c, d}});
}

Matrix4& CurrentMatrix() {
  return layer.matrixMode == gl1::kProjection ? layer.projection[layer.projectionTop]
                                              : layer.modelview[layer.modelviewTop];
}

extern "C" {

int vglInit(int framebufferWidth, int framebufferHeight) {
  layer = GlLayer{};
  layer.modelview[0] = kIdentity;
  layer.projection[0] = kIdentity;
  layer.viewport[2] = framebufferWidth;
  layer.viewport[3] = framebufferHeight;
  layer.vertices.reserve(1 << 16);
  layer.batch.reserve(1 << 17);
  layer.lists.resize(1);  // list names start at 1
  return CreateLayerProgram() ? 1 : 0;
}

int vglUseOffscreenTarget(int width, int height) {
  glGenRenderbuffers(2, layer.targetBuffers);
  glBindRenderbuffer(GL_RENDERBUFFER, layer.targetBuffers[0]);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_RGB8, width, height);
  glBindRenderbuffer(GL_RENDERBUFFER, layer.targetBuffers[1]);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT16, width, height);
  glGenFramebuffers(1, &layer.target);
  glBindFramebuffer(GL_FRAMEBUFFER, layer.target);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, layer.targetBuffers[0]);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, layer.targetBuffers[1]);
  layer.targetSize[0] = width;
  layer.targetSize[1] = height;
  return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE ? 1 : 0;
}

void vglPresent(void) {
  DrawBatch();
  if (!layer.target) return;
  // A frame that ends with the canvas bound was put there already, scaled into its rectangle by
  // the window's own picture target; the layer's target holds an older frame then.
  GLint drawing = 0;
  glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &drawing);
  if (drawing != 0) {
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glBlitFramebuffer(0, 0, layer.targetSize[0], layer.targetSize[1], 0, 0, layer.targetSize[0],
                      layer.targetSize[1], GL_COLOR_BUFFER_BIT, GL_NEAREST);
  }
  glBindFramebuffer(GL_FRAMEBUFFER, layer.target);
}

void vglSetRendererName(const char* name) { std::snprintf(layer.rendererName, sizeof layer.rendererName, "%s", name); }

// The layer's own switches take effect with the next primitive, which compares its look.
void vglEnable(GLenum cap) {
  if (SetLayerSwitch(cap, true)) return;
  DrawBatch();
  glEnable(cap);
}

void vglDisable(GLenum cap) {
  if (SetLayerSwitch(cap, false)) return;
  DrawBatch();
  glDisable(cap);
}

GLboolean vglIsEnabled(GLenum cap) {
  switch (cap) {
    case GL_TEXTURE_2D: return layer.texture2d;
    case gl1::kTextureRectangle: return layer.textureRectangle;
    case gl1::kFog: return layer.fog;
    case gl1::kTextureGenS: return layer.texGenS;
    case gl1::kTextureGenT: return layer.texGenT;
    default: DrawBatch(); return glIsEnabled(cap);
  }
}

void vglGetIntegerv(GLenum name, GLint* values) {
  switch (name) {
    case gl1::kMaxTextureUnits: *values = 1; return;
    case gl1::kMaxRectangleTextureSize: glGetIntegerv(GL_MAX_TEXTURE_SIZE, values); return;  // 2D textures here
    case gl1::kFogMode: *values = GL_LINEAR; return;  // linear fog only
    case gl1::kFogCoordSrc: *values = static_cast<GLint>(gl1::kFragmentDepth); return;
    default: DrawBatch(); glGetIntegerv(name, values);
  }
}

void vglGetFloatv(GLenum name, GLfloat* values) {
  switch (name) {
    case gl1::kModelviewMatrix: std::memcpy(values, layer.modelview[layer.modelviewTop].m, sizeof(Matrix4)); return;
    case gl1::kProjectionMatrix:
      std::memcpy(values, layer.projection[layer.projectionTop].m, sizeof(Matrix4));
      return;
    case gl1::kFogStart: *values = layer.fogStart; return;
    case gl1::kFogEnd: *values = layer.fogEnd; return;
    case gl1::kFogColor:
      std::memcpy(values, layer.fogColour, sizeof layer.fogColour);
      values[3] = 1;
      return;
    default: DrawBatch(); glGetFloatv(name, values);
  }
}

const GLubyte* vglGetString(GLenum name) {
  // Rectangle textures are emulated, so the glow filter may use them.
  if (name == GL_EXTENSIONS) return reinterpret_cast<const GLubyte*>("GL_ARB_texture_rectangle");
  if (name == GL_RENDERER && layer.rendererName[0]) return reinterpret_cast<const GLubyte*>(layer.rendererName);
  return glGetString(name);
}

GLenum vglGetError(void) { return glGetError(); }
void vglHint(GLenum, GLenum) {}       // the shader always works at full precision
void vglShadeModel(GLenum) {}         // smooth only
void vglFlush(void) {
  DrawBatch();
  glFlush();
}

void vglFinish(void) {
  DrawBatch();
  glFinish();
}

void vglScissor(GLint x, GLint y, GLsizei width, GLsizei height) {
  DrawBatch();
  glScissor(x, y, width, height);
}

void vglViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
  DrawBatch();
  layer.viewport[0] = x;
  layer.viewport[1] = y;
  layer.viewport[2] = width;
  layer.viewport[3] = height;
  glViewport(x, y, width, height);
}

void vglClear(GLbitfield mask) {
  DrawBatch();
  glClear(mask);
}
void vglClearColor(GLfloat r, GLfloat g, GLfloat b, GLfloat a) { glClearColor(r, g, b, a); }
void vglClearDepth(GLdouble depth) { glClearDepthf(static_cast<float>(depth)); }
void vglDepthFunc(GLenum func) {
  DrawBatch();
  glDepthFunc(func);
}

void vglCullFace(GLenum mode) {
  DrawBatch();
  glCullFace(mode);
}

void vglBlendFunc(GLenum source, GLenum destination) {
  DrawBatch();
  glBlendFunc(source, destination);
}
void vglPolygonMode(GLenum, GLenum mode) { layer.polygonLines = mode == gl1::kLine; }
void vglLineWidth(GLfloat width) { layer.lineWidth = width; }
void vglPointSize(GLfloat size) { layer.pointSize = size; }

void vglFogf(GLenum name, GLfloat value) {
  if (name == gl1::kFogStart) layer.fogStart = value;
  if (name == gl1::kFogEnd) layer.fogEnd = value;
}

void vglFogi(GLenum, GLint) {}  // linear fog only

void vglFogfv(GLenum name, const GLfloat* values) {
  if (name == gl1::kFogColor) std::memcpy(layer.fogColour, values, sizeof layer.fogColour);
}

void vglTexGeni(GLenum, GLenum, GLint) {}  // sphere mapping only
void vglTexEnvi(GLenum, GLenum, GLint) {}  // modulation only (one texture unit)

void vglMatrixMode(GLenum mode) { layer.matrixMode = mode; }
void vglLoadIdentity(void) { CurrentMatrix() = kIdentity; }

void vglPushMatrix(void) {
  int& top = layer.matrixMode == gl1::kProjection ? layer.projectionTop : layer.modelviewTop;
  Matrix4* stack = layer.matrixMode == gl1::kProjection ? layer.projection : layer.modelview;
  if (top + 1 >= kStackDepth) return;  // GL_STACK_OVERFLOW: the stack stays as it is
  stack[top + 1] = stack[top];
  ++top;
}

void vglPopMatrix(void) {
  int& top = layer.matrixMode == gl1::kProjection ? layer.projectionTop : layer.modelviewTop;
  if (top > 0) --top;
}

void vglTranslatef(GLfloat x, GLfloat y, GLfloat z) {
  if (layer.compiling) {
    Record(ListOp::translate, 0, x, y, z);
    return;
  }
  Matrix4& m = CurrentMatrix();
  for (int row = 0; row < 4; ++row) m.m[12 + row] += m.m[row] * x + m.m[4 + row] * y + m.m[8 + row] * z;
}

void vglTranslated(GLdouble x, GLdouble y, GLdouble z) {
  vglTranslatef(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
}

void vglRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
  const float length = std::sqrt(x * x + y * y + z * z);
  if (length == 0) return;
  x /= length;
  y /= length;
  z /= length;
  const float radians = angle * static_cast<float>(M_PI / 180);
  const float s = std::sin(radians), c = std::cos(radians), k = 1 - c;
  const Matrix4 r = {{x * x * k + c, y * x * k + z * s, x * z * k - y * s, 0,  //
                      x * y * k - z * s, y * y * k + c, y * z * k + x * s, 0,  //
                      x * z * k + y * s, y * z * k - x * s, z * z * k + c, 0,  //
                      0, 0, 0, 1}};
  MultiplyCurrent(r);
}

void vglScalef(GLfloat x, GLfloat y, GLfloat z) {
  Matrix4& m = CurrentMatrix();
  for (int row = 0; row < 4; ++row) {
    m.m[row] *= x;
    m.m[4 + row] *= y;
    m.m[8 + row] *= z;
  }
}

void vglOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear, GLdouble zFar) {
  const double o[16] = {2 / (right - left), 0, 0, 0, 0, 2 / (top - bottom), 0, 0, 0, 0, -2 / (zFar - zNear), 0,
                        -(right + left) / (right - left), -(top + bottom) / (top - bottom),
                        -(zFar + zNear) / (zFar - zNear), 1};
  MultiplyCurrent(FromDouble(o));
}

void vgluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
  const double radians = fovy / 2 * M_PI / 180;
  const double depth = zFar - zNear, sine = std::sin(radians);
  if (depth == 0 || sine == 0 || aspect == 0) return;
  const double cotangent = std::cos(radians) / sine;
  const double p[16] = {cotangent / aspect, 0, 0, 0, 0, cotangent, 0, 0, 0, 0, -(zFar + zNear) / depth, -1,
                        0, 0, -2 * zNear * zFar / depth, 0};
  MultiplyCurrent(FromDouble(p));
}

void vgluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX, GLdouble centerY, GLdouble centerZ,
                GLdouble upX, GLdouble upY, GLdouble upZ) {
  double f[3] = {centerX - eyeX, centerY - eyeY, centerZ - eyeZ};
  const double up[3] = {upX, upY, upZ};
  auto normalise = [](double* v) {
    const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (length == 0) return;
    for (int i = 0; i < 3; ++i) v[i] /= length;
  };
  normalise(f);
  double s[3] = {f[1] * up[2] - f[2] * up[1], f[2] * up[0] - f[0] * up[2], f[0] * up[1] - f[1] * up[0]};
  normalise(s);
  const double u[3] = {s[1] * f[2] - s[2] * f[1], s[2] * f[0] - s[0] * f[2], s[0] * f[1] - s[1] * f[0]};
  const double m[16] = {s[0], u[0], -f[0], 0, s[1], u[1], -f[1], 0, s[2], u[2], -f[2], 0, 0, 0, 0, 1};
  MultiplyCurrent(FromDouble(m));
  vglTranslated(-eyeX, -eyeY, -eyeZ);
}

GLuint vglGenLists(GLsizei range) {
  const auto first = static_cast<GLuint>(layer.lists.size());
  layer.lists.resize(layer.lists.size() + static_cast<size_t>(range));
  return first;
}

void vglNewList(GLuint list, GLenum) {
  if (list == 0 || list >= layer.lists.size()) return;  // GL_INVALID_VALUE
  layer.lists[list].clear();
  layer.compiling = list;
}

void vglEndList(void) { layer.compiling = 0; }
void vglListBase(GLuint base) { layer.listBase = base; }

void vglCallLists(GLsizei count, GLenum, const void* lists) {
  const auto* codes = static_cast<const GLubyte*>(lists);
  for (GLsizei i = 0; i < count; ++i) {
    const GLuint list = layer.listBase + codes[i];
    if (list == 0 || list >= layer.lists.size()) continue;  // an undefined list draws nothing
    for (const ListOp& op : layer.lists[list]) {
      switch (op.kind) {
        case ListOp::begin: vglBegin(op.mode); break;
        case ListOp::end: vglEnd(); break;
        case ListOp::vertex: vglVertex3f(op.v[0], op.v[1], op.v[2]); break;
        case ListOp::colour: vglColor4f(op.v[0], op.v[1], op.v[2], op.v[3]); break;
        case ListOp::normal: vglNormal3f(op.v[0], op.v[1], op.v[2]); break;
        case ListOp::texCoord: vglTexCoord2f(op.v[0], op.v[1]); break;
        case ListOp::translate: vglTranslatef(op.v[0], op.v[1], op.v[2]); break;
      }
    }
  }
}

void vglGenTextures(GLsizei count, GLuint* names) {
  glGenTextures(count, names);
  for (GLsizei i = 0; i < count; ++i)
    if (names[i] >= layer.textures.size()) layer.textures.resize(names[i] + 1);
}

void vglDeleteTextures(GLsizei count, const GLuint* names) {
  DrawBatch();
  for (GLsizei i = 0; i < count; ++i) {
    if (TextureInfo* info = InfoOf(names[i])) *info = TextureInfo{};
    if (layer.bound2d == names[i]) layer.bound2d = 0;
    if (layer.boundRectangle == names[i]) layer.boundRectangle = 0;
    if (layer.boundInEs == names[i]) layer.boundInEs = 0;
  }
  glDeleteTextures(count, names);
}

void vglBindTexture(GLenum target, GLuint name) {
  if (target == gl1::kTextureRectangle)
    layer.boundRectangle = name;
  else
    layer.bound2d = name;
  BindForTarget(target);
}

void vglTexParameteri(GLenum target, GLenum name, GLint value) {
  DrawBatch();
  BindForTarget(target);
  glTexParameteri(GL_TEXTURE_2D, name, value);
}

void vglPixelStorei(GLenum name, GLint value) { glPixelStorei(name, value); }

void vglTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height, GLint border,
                   GLenum format, GLenum type, const void* pixels) {
  DrawBatch();
  BindForTarget(target);
  glTexImage2D(GL_TEXTURE_2D, level, internalFormat, width, height, border, format, type, pixels);
  TextureInfo* info = InfoOf(layer.boundInEs);
  if (!info) return;
  *info = {target == gl1::kTextureRectangle, width, height};
  if (info->rectangle) {
    // A rectangle texture's defaults: clamped to its edges, filtered linearly, no mipmaps.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  }
}

void vglCopyTexSubImage2D(GLenum target, GLint level, GLint xOffset, GLint yOffset, GLint x, GLint y, GLsizei width,
                          GLsizei height) {
  DrawBatch();
  BindForTarget(target);
  glCopyTexSubImage2D(GL_TEXTURE_2D, level, xOffset, yOffset, x, y, width, height);
}

void vglColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
  if (layer.compiling) {
    Record(ListOp::colour, 0, r, g, b, a);
    return;
  }
  layer.colour[0] = r;
  layer.colour[1] = g;
  layer.colour[2] = b;
  layer.colour[3] = a;
}

void vglColor3f(GLfloat r, GLfloat g, GLfloat b) { vglColor4f(r, g, b, 1); }
void vglColor3fv(const GLfloat* v) { vglColor4f(v[0], v[1], v[2], 1); }
void vglColor3ub(GLubyte r, GLubyte g, GLubyte b) { vglColor4f(r / 255.0f, g / 255.0f, b / 255.0f, 1); }

void vglNormal3f(GLfloat x, GLfloat y, GLfloat z) {
  if (layer.compiling) {
    Record(ListOp::normal, 0, x, y, z);
    return;
  }
  layer.normal[0] = x;
  layer.normal[1] = y;
  layer.normal[2] = z;
}

void vglNormal3fv(const GLfloat* v) { vglNormal3f(v[0], v[1], v[2]); }

void vglTexCoord2f(GLfloat s, GLfloat t) {
  if (layer.compiling) {
    Record(ListOp::texCoord, 0, s, t);
    return;
  }
  layer.texCoord[0] = s;
  layer.texCoord[1] = t;
}

void vglTexCoord2fv(const GLfloat* v) { vglTexCoord2f(v[0], v[1]); }
void vglTexCoord2i(GLint s, GLint t) { vglTexCoord2f(static_cast<float>(s), static_cast<float>(t)); }
void vglTexCoord2s(GLshort s, GLshort t) { vglTexCoord2f(s, t); }

// Only unit 0 exists; coordinates for other units have nowhere to go.
void vglMultiTexCoord2i(GLenum unit, GLint s, GLint t) {
  if (unit == GL_TEXTURE0) vglTexCoord2i(s, t);
}

void vglActiveTexture(GLenum) {}

}  // extern "C"
