// The GL 1.x layer's state: one struct, owned by GlLayer.cpp, shared with its drawing half.
#pragma once
#include <GLES3/gl3.h>

#include <cstdint>
#include <vector>

// The GL 1.x enums the layer interprets; ES 3 has no names for them.
namespace gl1 {
constexpr GLenum kQuads = 0x0007;
constexpr GLenum kQuadStrip = 0x0008;
constexpr GLenum kPolygon = 0x0009;
constexpr GLenum kTextureRectangle = 0x84F5;
constexpr GLenum kFog = 0x0B60;
constexpr GLenum kTextureGenS = 0x0C60;
constexpr GLenum kTextureGenT = 0x0C61;
constexpr GLenum kModelview = 0x1700;
constexpr GLenum kProjection = 0x1701;
constexpr GLenum kModelviewMatrix = 0x0BA6;
constexpr GLenum kProjectionMatrix = 0x0BA7;
constexpr GLenum kFogMode = 0x0B65;
constexpr GLenum kFogCoordSrc = 0x8450;
constexpr GLenum kFragmentDepth = 0x8452;
constexpr GLenum kMaxTextureUnits = 0x84E2;
constexpr GLenum kMaxRectangleTextureSize = 0x84F8;
constexpr GLenum kFogStart = 0x0B63;
constexpr GLenum kFogEnd = 0x0B64;
constexpr GLenum kFogColor = 0x0B66;
constexpr GLenum kLine = 0x1B01;
}  // namespace gl1

// Column-major, as GL stores it.
struct Matrix4 {
  float m[16];
};

// A vertex after the fixed-function stage: what the shader receives.
struct LayerVertex {
  float clip[4];
  float colour[4];
  float texCoord[2];
  float eyeDistance;  // |z| in eye space, the fog coordinate
};

// One recorded call of a display list.
struct ListOp {
  enum Kind : uint8_t { begin, end, vertex, colour, normal, texCoord, translate } kind;
  GLenum mode;
  float v[4];
};

struct TextureInfo {
  bool rectangle = false;
  int width = 1;
  int height = 1;
};

// What a primitive's pixels depend on besides its vertices and the ES state: the program's
// uniforms and the texture sampled.
struct DrawnLook {
  GLuint texture = 0;  // 0 for none
  bool fog = false;
  float fogRange[2] = {};
  float fogColour[3] = {};
  bool operator==(const DrawnLook& other) const;
};

// One of the layer's programs and what its fog uniforms hold, so unchanged ones are not sent.
struct LayerProgram {
  GLuint name = 0;
  GLint fogRangeUniform = -1, fogColourUniform = -1;
  bool fogSet = false;
  float fogRange[2] = {};
  float fogColour[3] = {};
};

constexpr int kStackDepth = 32;

// What glPushAttrib saves.
struct LayerAttributes {
  bool switches[8];  // texture2d, textureRectangle, fog, texGenS, texGenT, blend, depthTest, cullFace
  bool polygonLines;
  float lineWidth, pointSize, fogStart, fogEnd;
  float fogColour[3];
  float colour[4];
  int viewport[4];
  GLuint bound2d, boundRectangle;
  GLint blendSource, blendDestination, depthFunc;
};
constexpr int kAttributeDepth = 4;

struct GlLayer {
  // Matrices
  Matrix4 modelview[kStackDepth];
  Matrix4 projection[kStackDepth];
  int modelviewTop = 0;
  int projectionTop = 0;
  GLenum matrixMode = gl1::kModelview;

  // Current attributes
  float colour[4] = {1, 1, 1, 1};
  float normal[3] = {0, 0, 1};
  float texCoord[2] = {0, 0};

  // Switches the layer keeps (the rest go straight to ES and are mirrored here for glIsEnabled)
  bool texture2d = false;
  bool textureRectangle = false;
  bool fog = false;
  bool texGenS = false;
  bool texGenT = false;
  bool blend = false;
  bool depthTest = false;
  bool cullFace = false;
  bool polygonLines = false;
  float lineWidth = 1;
  float pointSize = 1;
  float fogStart = 0;
  float fogEnd = 1;
  float fogColour[3] = {0, 0, 0};
  int viewport[4] = {0, 0, 1, 1};

  // Textures: names are ES names; the two targets bind separately as in GL 1.x.
  std::vector<TextureInfo> textures;
  GLuint bound2d = 0;
  GLuint boundRectangle = 0;
  GLuint boundInEs = 0;

  LayerAttributes savedAttributes[kAttributeDepth];
  int savedCount = 0;
  int rasterPosition[2] = {0, 0};
  GLuint pixelTexture = 0;  // glDrawPixels' image
  std::vector<uint8_t> readBack;

  // Immediate mode
  bool inBegin = false;
  GLenum primitive = 0;
  GLuint drawnTexture = 0;     // the texture this primitive samples, 0 for none
  float texelScale[2] = {1, 1};  // texel coordinates to ES's 0..1 for rectangle textures
  float normalMatrix[9] = {};    // eye-space normals for sphere mapping
  std::vector<LayerVertex> vertices;
  // Triangles of the primitives since the last draw, all with batchLook; drawn as one.
  std::vector<LayerVertex> batch;
  DrawnLook batchLook;

  // Display lists
  std::vector<std::vector<ListOp>> lists;
  GLuint compiling = 0;  // the list being recorded, 0 for none
  GLuint listBase = 0;

  // ES objects
  GLuint target = 0;  // the offscreen framebuffer, 0 when drawing straight to the default one
  GLuint targetBuffers[2] = {};
  int targetSize[2] = {};
  LayerProgram programs[4];  // [textured * 2 + fogged]
  int usedProgram = -1;
  GLuint buffer = 0;
  GLuint vertexArray = 0;
  char rendererName[256] = {};  // set by the page: the browser's own renderer, unmasked
};

extern GlLayer layer;

Matrix4& CurrentMatrix();
// Appends a call to the display list being compiled.
void Record(ListOp::Kind kind, GLenum mode, float a = 0, float b = 0, float c = 0, float d = 0);
// Adds the primitive gathered since glBegin to the batch as triangles, drawing the batch first
// when the primitive looks different.
void FlushPrimitive();
// Draws the batch. Every call that changes ES state the batch is drawn under, reads or changes
// pixels or textures, or lets the caller do so, calls this first; consecutive primitives of one
// look are then one draw, the same pixels as one draw each, since ES draws in order.
void DrawBatch();
// Compiles the four programs and makes the buffers; false when ES refused.
bool CreateLayerProgram();
