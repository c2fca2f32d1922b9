// The GL 1.x layer's drawing: immediate-mode vertices through the fixed-function stage on the
// CPU, primitives assembled into ES triangles and lines, and the shader that textures and fogs.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <initializer_list>

#include "platform/webgl/GlLayerState.h"
#define VEX_GL_LAYER_IMPLEMENTATION
#include "platform/webgl/GlLayer.h"

namespace {

const char* const kVertexShader = R"(
layout(location = 0) in vec4 clipPosition;
layout(location = 1) in vec4 colour;
layout(location = 2) in vec2 texCoord;
layout(location = 3) in float eyeDistance;
out vec4 vColour;
out vec2 vTexCoord;
out float vEyeDistance;
void main() {
  gl_Position = clipPosition;
  vColour = colour;
  vTexCoord = texCoord;
  vEyeDistance = eyeDistance;
}
)";

// GL_MODULATE on one unit, then linear fog per fragment on the colour (never the alpha). One
// program for each of the four combinations (kProgramHeader before it), so that a software
// rasteriser runs no branch and no texture fetch a primitive does not need.
const char* const kProgramHeader = "#version 300 es\n#define TEXTURED %d\n#define FOGGED %d\n";
const char* const kFragmentShader = R"(
precision highp float;
in vec4 vColour;
in vec2 vTexCoord;
in float vEyeDistance;
uniform sampler2D image;
uniform vec2 fogRange;
uniform vec3 fogColour;
out vec4 fragColour;
void main() {
  vec4 colour = vColour;
#if TEXTURED
  colour *= texture(image, vTexCoord);
#endif
#if FOGGED
  float f = clamp((fogRange.y - vEyeDistance) / (fogRange.y - fogRange.x), 0.0, 1.0);
  colour.rgb = mix(fogColour, colour.rgb, f);
#endif
  fragColour = colour;
}
)";

GLuint CompileShader(GLenum kind, const char* header, const char* source) {
  const GLuint shader = glCreateShader(kind);
  const char* parts[2] = {header, source};
  glShaderSource(shader, 2, parts, nullptr);
  glCompileShader(shader);
  GLint ok = 0;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (!ok) {
    char log[1024] = {};
    glGetShaderInfoLog(shader, sizeof log, nullptr, log);
    std::fprintf(stderr, "GL layer: shader: %s\n", log);
  }
  return shader;
}

void Transform(const Matrix4& m, const float* v, float* out) {
  for (int row = 0; row < 4; ++row)
    out[row] = m.m[row] * v[0] + m.m[4 + row] * v[1] + m.m[8 + row] * v[2] + m.m[12 + row] * v[3];
}

// The inverse transpose of the modelview's upper 3 x 3, which carries normals to eye space.
void ComputeNormalMatrix(const Matrix4& mv, float* n) {
  const float a = mv.m[0], b = mv.m[4], c = mv.m[8], d = mv.m[1], e = mv.m[5], f = mv.m[9], g = mv.m[2],
              h = mv.m[6], i = mv.m[10];
  const float det = a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g);
  const float s = det != 0 ? 1 / det : 0;
  // Row-major rows of the inverse transpose: the cofactors divided by the determinant.
  const float cof[9] = {e * i - f * h, -(d * i - f * g), d * h - e * g, -(b * i - c * h), a * i - c * g,
                        -(a * h - b * g), b * f - c * e, -(a * f - c * d), a * e - b * d};
  for (int k = 0; k < 9; ++k) n[k] = cof[k] * s;
}

// GL_SPHERE_MAP: the eye-space reflection of the view direction, mapped into 0..1.
void SphereMap(const float* eye, float* st) {
  const float* nm = layer.normalMatrix;
  const float* v = layer.normal;
  const float n[3] = {nm[0] * v[0] + nm[1] * v[1] + nm[2] * v[2], nm[3] * v[0] + nm[4] * v[1] + nm[5] * v[2],
                      nm[6] * v[0] + nm[7] * v[1] + nm[8] * v[2]};
  float u[3] = {eye[0], eye[1], eye[2]};
  const float length = std::sqrt(u[0] * u[0] + u[1] * u[1] + u[2] * u[2]);
  if (length > 0)
    for (float& x : u) x /= length;
  const float dot = n[0] * u[0] + n[1] * u[1] + n[2] * u[2];
  const float r[3] = {u[0] - 2 * n[0] * dot, u[1] - 2 * n[1] * dot, u[2] - 2 * n[2] * dot};
  const float m = 2 * std::sqrt(r[0] * r[0] + r[1] * r[1] + (r[2] + 1) * (r[2] + 1));
  st[0] = m > 0 ? r[0] / m + 0.5f : 0.5f;
  st[1] = m > 0 ? r[1] / m + 0.5f : 0.5f;
}

// The texture a primitive begun now samples: rectangle before 2D, as GL 1.x ranks them.
void ChooseTexture() {
  layer.drawnTexture = 0;
  if (layer.textureRectangle && layer.boundRectangle)
    layer.drawnTexture = layer.boundRectangle;
  else if (layer.texture2d && layer.bound2d)
    layer.drawnTexture = layer.bound2d;
  layer.texelScale[0] = layer.texelScale[1] = 1;
  if (layer.drawnTexture && layer.drawnTexture < layer.textures.size()) {
    const TextureInfo& info = layer.textures[layer.drawnTexture];
    if (info.rectangle) {
      layer.texelScale[0] = 1.0f / static_cast<float>(info.width);
      layer.texelScale[1] = 1.0f / static_cast<float>(info.height);
    }
  }
}

void Emit(const LayerVertex& v) { layer.batch.push_back(v); }

// A vertex moved by (dx, dy) pixels on screen.
LayerVertex Offset(const LayerVertex& v, float dx, float dy) {
  LayerVertex moved = v;
  moved.clip[0] += dx * 2 / static_cast<float>(layer.viewport[2]) * v.clip[3];
  moved.clip[1] += dy * 2 / static_cast<float>(layer.viewport[3]) * v.clip[3];
  return moved;
}

void EmitQuad(const LayerVertex& a, const LayerVertex& b, const LayerVertex& c, const LayerVertex& d) {
  for (const LayerVertex* v : {&a, &b, &d, &b, &c, &d}) Emit(*v);
}

// A line wider than a pixel as a quad: spread across its minor axis, as GL's aliased wide
// lines are.
void EmitWideLine(const LayerVertex& a, const LayerVertex& b) {
  const float half = layer.lineWidth / 2;
  const float dx = (b.clip[0] / b.clip[3] - a.clip[0] / a.clip[3]) * static_cast<float>(layer.viewport[2]);
  const float dy = (b.clip[1] / b.clip[3] - a.clip[1] / a.clip[3]) * static_cast<float>(layer.viewport[3]);
  const bool xMajor = std::fabs(dx) >= std::fabs(dy);
  const float ox = xMajor ? 0 : half, oy = xMajor ? half : 0;
  EmitQuad(Offset(a, -ox, -oy), Offset(a, ox, oy), Offset(b, ox, oy), Offset(b, -ox, -oy));
}

void EmitLine(const LayerVertex& a, const LayerVertex& b) { EmitWideLine(a, b); }

// A polygon given by vertex indices: filled as a fan, or outlined in polygon mode GL_LINE.
void EmitPolygon(const int* index, int count) {
  const std::vector<LayerVertex>& v = layer.vertices;
  if (layer.polygonLines) {
    for (int k = 0; k < count; ++k) EmitLine(v[index[k]], v[index[(k + 1) % count]]);
    return;
  }
  if (count == 4) {
    EmitQuad(v[index[0]], v[index[1]], v[index[2]], v[index[3]]);
    return;
  }
  for (int k = 1; k + 1 < count; ++k)
    for (int corner : {0, k, k + 1}) Emit(v[index[corner]]);
}

void AssemblePolygons() {
  const int n = static_cast<int>(layer.vertices.size());
  switch (layer.primitive) {
    case GL_TRIANGLES:
      for (int i = 0; i + 2 < n; i += 3) {
        const int t[3] = {i, i + 1, i + 2};
        EmitPolygon(t, 3);
      }
      break;
    case GL_TRIANGLE_STRIP:
      for (int i = 0; i + 2 < n; ++i) {
        const int t[3] = {i % 2 ? i + 1 : i, i % 2 ? i : i + 1, i + 2};
        EmitPolygon(t, 3);
      }
      break;
    case GL_TRIANGLE_FAN:
      for (int i = 1; i + 1 < n; ++i) {
        const int t[3] = {0, i, i + 1};
        EmitPolygon(t, 3);
      }
      break;
    case gl1::kQuads:
      for (int i = 0; i + 3 < n; i += 4) {
        const int q[4] = {i, i + 1, i + 2, i + 3};
        EmitPolygon(q, 4);
      }
      break;
    case gl1::kQuadStrip:
      for (int i = 0; i + 3 < n; i += 2) {
        const int q[4] = {i, i + 1, i + 3, i + 2};
        EmitPolygon(q, 4);
      }
      break;
    case gl1::kPolygon: {
      if (n < 3) break;
      if (layer.polygonLines) {
        for (int k = 0; k < n; ++k) EmitLine(layer.vertices[k], layer.vertices[(k + 1) % n]);
      } else {
        for (int k = 1; k + 1 < n; ++k)
          for (int corner : {0, k, k + 1}) Emit(layer.vertices[corner]);
      }
      break;
    }
    default: break;
  }
}

void AssembleLines() {
  const int n = static_cast<int>(layer.vertices.size());
  const std::vector<LayerVertex>& v = layer.vertices;
  if (layer.primitive == GL_LINES) {
    for (int i = 0; i + 1 < n; i += 2) EmitLine(v[i], v[i + 1]);
    return;
  }
  for (int i = 0; i + 1 < n; ++i) EmitLine(v[i], v[i + 1]);
  if (layer.primitive == GL_LINE_LOOP && n > 2) EmitLine(v[n - 1], v[0]);
}

// Points as screen-aligned squares of the point size.
void AssemblePoints() {
  const float h = layer.pointSize / 2;
  for (const LayerVertex& p : layer.vertices)
    EmitQuad(Offset(p, -h, -h), Offset(p, h, -h), Offset(p, h, h), Offset(p, -h, h));
}

bool IsLinePrimitive(GLenum mode) { return mode == GL_LINES || mode == GL_LINE_STRIP || mode == GL_LINE_LOOP; }

DrawnLook CurrentLook() {
  DrawnLook look;
  look.texture = layer.drawnTexture;
  look.fog = layer.fog;
  if (look.fog) {
    look.fogRange[0] = layer.fogStart;
    look.fogRange[1] = layer.fogEnd;
    std::copy(layer.fogColour, layer.fogColour + 3, look.fogColour);
  }
  return look;
}

// The batch's program, uniforms and texture; only what changed goes to ES.
void SetUniforms(const DrawnLook& look) {
  if (look.texture && layer.boundInEs != look.texture) {
    glBindTexture(GL_TEXTURE_2D, look.texture);
    layer.boundInEs = look.texture;
  }
  const int index = (look.texture ? 2 : 0) + (look.fog ? 1 : 0);
  if (layer.usedProgram != index) glUseProgram(layer.programs[index].name);
  layer.usedProgram = index;
  if (!look.fog) return;
  LayerProgram& program = layer.programs[index];
  if (!program.fogSet || !std::equal(look.fogRange, look.fogRange + 2, program.fogRange)) {
    glUniform2f(program.fogRangeUniform, look.fogRange[0], look.fogRange[1]);
    std::copy(look.fogRange, look.fogRange + 2, program.fogRange);
  }
  if (!program.fogSet || !std::equal(look.fogColour, look.fogColour + 3, program.fogColour)) {
    glUniform3fv(program.fogColourUniform, 1, look.fogColour);
    std::copy(look.fogColour, look.fogColour + 3, program.fogColour);
  }
  program.fogSet = true;
}

}  // namespace

bool DrawnLook::operator==(const DrawnLook& other) const {
  return texture == other.texture && fog == other.fog && std::equal(fogRange, fogRange + 2, other.fogRange) &&
         std::equal(fogColour, fogColour + 3, other.fogColour);
}

bool CreateLayerProgram() {
  for (int index = 0; index < 4; ++index) {
    char header[96];
    std::snprintf(header, sizeof header, kProgramHeader, index / 2, index % 2);
    LayerProgram& program = layer.programs[index];
    program.name = glCreateProgram();
    const GLuint vertex = CompileShader(GL_VERTEX_SHADER, header, kVertexShader);
    const GLuint fragment = CompileShader(GL_FRAGMENT_SHADER, header, kFragmentShader);
    glAttachShader(program.name, vertex);
    glAttachShader(program.name, fragment);
    glLinkProgram(program.name);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint ok = 0;
    glGetProgramiv(program.name, GL_LINK_STATUS, &ok);
    if (!ok) return false;
    glUseProgram(program.name);
    glUniform1i(glGetUniformLocation(program.name, "image"), 0);
    program.fogRangeUniform = glGetUniformLocation(program.name, "fogRange");
    program.fogColourUniform = glGetUniformLocation(program.name, "fogColour");
  }
  layer.usedProgram = 3;

  glGenVertexArrays(1, &layer.vertexArray);
  glBindVertexArray(layer.vertexArray);
  glGenBuffers(1, &layer.buffer);
  glBindBuffer(GL_ARRAY_BUFFER, layer.buffer);
  constexpr GLsizei stride = sizeof(LayerVertex);
  glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(offsetof(LayerVertex, clip)));
  glVertexAttribPointer(1, 4, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(offsetof(LayerVertex, colour)));
  glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(offsetof(LayerVertex, texCoord)));
  glVertexAttribPointer(3, 1, GL_FLOAT, GL_FALSE, stride,
                        reinterpret_cast<void*>(offsetof(LayerVertex, eyeDistance)));
  for (GLuint attribute = 0; attribute < 4; ++attribute) glEnableVertexAttribArray(attribute);
  glActiveTexture(GL_TEXTURE0);
  return glGetError() == GL_NO_ERROR;
}

void FlushPrimitive() {
  const DrawnLook look = CurrentLook();
  if (!layer.batch.empty() && !(look == layer.batchLook)) DrawBatch();
  layer.batchLook = look;
  if (layer.primitive == GL_POINTS) {
    AssemblePoints();
  } else if (IsLinePrimitive(layer.primitive)) {
    AssembleLines();
  } else {
    AssemblePolygons();
  }
}

void DrawBatch() {
  if (layer.batch.empty()) return;
  SetUniforms(layer.batchLook);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(layer.batch.size() * sizeof(LayerVertex)),
               layer.batch.data(), GL_STREAM_DRAW);
  glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(layer.batch.size()));
  layer.batch.clear();
}

extern "C" {

void vglBegin(GLenum mode) {
  if (layer.compiling) {
    Record(ListOp::begin, mode);
    return;
  }
  layer.inBegin = true;
  layer.primitive = mode;
  layer.vertices.clear();
  ChooseTexture();
  if (layer.texGenS || layer.texGenT) ComputeNormalMatrix(layer.modelview[layer.modelviewTop], layer.normalMatrix);
}

void vglEnd(void) {
  if (layer.compiling) {
    Record(ListOp::end, 0);
    return;
  }
  if (!layer.inBegin) return;
  layer.inBegin = false;
  FlushPrimitive();
}

void vglVertex3f(GLfloat x, GLfloat y, GLfloat z) {
  if (layer.compiling) {
    Record(ListOp::vertex, 0, x, y, z);
    return;
  }
  if (!layer.inBegin) return;
  const float object[4] = {x, y, z, 1};
  float eye[4];
  LayerVertex v;
  Transform(layer.modelview[layer.modelviewTop], object, eye);
  Transform(layer.projection[layer.projectionTop], eye, v.clip);
  for (int i = 0; i < 4; ++i) v.colour[i] = std::clamp(layer.colour[i], 0.0f, 1.0f);
  float st[2] = {layer.texCoord[0], layer.texCoord[1]};
  if (layer.texGenS || layer.texGenT) {
    float generated[2];
    SphereMap(eye, generated);
    if (layer.texGenS) st[0] = generated[0];
    if (layer.texGenT) st[1] = generated[1];
  }
  v.texCoord[0] = st[0] * layer.texelScale[0];
  v.texCoord[1] = st[1] * layer.texelScale[1];
  v.eyeDistance = std::fabs(eye[2]);
  layer.vertices.push_back(v);
}

void vglVertex2f(GLfloat x, GLfloat y) { vglVertex3f(x, y, 0); }
void vglVertex2i(GLint x, GLint y) { vglVertex3f(static_cast<float>(x), static_cast<float>(y), 0); }
void vglVertex3fv(const GLfloat* v) { vglVertex3f(v[0], v[1], v[2]); }
void vglVertex3i(GLint x, GLint y, GLint z) {
  vglVertex3f(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
}

}  // extern "C"
