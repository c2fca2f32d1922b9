// The glow's fogged passes as fragment programs. Every fogged pass a program replaces is
// fog(texel x colour) converted to 8 bits (to nearest, ties to even), weighed in 8 bits where it
// blends with its alpha, and added with saturation; the programs round each term the same way,
// so the sums are the same bytes.
#include "render/glow/FoggedPrograms.h"

#include <cstring>
#include <string>

#include "platform/GlProcAddress.h"
#include "render/GlExtensions.h"
#include "render/glow/RectQuad.h"

namespace {
GLuint program = 0;
GLuint blurProgram = 0;

// ARB_fragment_program's entry points, looked up once.
struct ProgramProcs {
  PFNGLGENPROGRAMSARBPROC gen = nullptr;
  PFNGLBINDPROGRAMARBPROC bind = nullptr;
  PFNGLPROGRAMSTRINGARBPROC string = nullptr;
  PFNGLDELETEPROGRAMSARBPROC erase = nullptr;
  PFNGLPROGRAMLOCALPARAMETER4FARBPROC local = nullptr;
};
ProgramProcs procs;

// ARB_fragment_program has no rounding instruction: out = round(in x 255) to nearest, ties to
// even, from FLR and FRC, with the temporaries S, F, H, U, Q as scratch.
std::string RoundToByte(const std::string& in, const std::string& out) {
  return "MUL S, " + in + ", 255;\n"
         "FLR F, S;\n"
         "SUB U, S, F;\n"
         "MUL H, F, 0.5;\n"
         "FRC H, H;\n"
         "ADD H, H, H;\n"     // 1 where F is odd
         "SLT Q, 0.5, U;\n"   // above the tie
         "SGE U, U, 0.5;\n"   // at or above it
         "SUB U, U, Q;\n"     // exactly at it
         "MAD Q, U, H, Q;\n"  // ties go up from odd
         "ADD " + out + ", F, Q;\n";
}

// The layers and the sharp frame: fog.x is the fog factor, fog.y the layer count.
std::string LayersProgramText() {
  return "!!ARBfp1.0\n"
         "PARAM fog = program.local[0];\n"
         "TEMP blur, sharp, S, F, H, U, Q, sum;\n"
         "TEX blur, fragment.texcoord[0], texture[0], RECT;\n"
         "TEX sharp, fragment.texcoord[1], texture[1], RECT;\n"
         "MUL blur, blur, fragment.color;\n"
         "MUL sharp, sharp, fragment.color;\n"
         "MUL blur.xyz, blur, fog.x;\n"  // black fog: colour x factor, alpha untouched
         "MUL sharp.xyz, sharp, fog.x;\n" +
         RoundToByte("blur", "blur") + RoundToByte("sharp", "sharp") +
         "MAD sum, blur, fog.y, sharp;\n"
         "MIN sum, sum, 255;\n"
         "MUL result.color, sum, 0.0039215686;\n"  // 1/255: whole bytes stay whole
         "END\n";
}

// The blur taps: each fogged byte a times the weight's byte w, as 8-bit blending rounds a x w /
// 255 (never a tie), summed.
std::string BlurProgramText() {
  std::string text = "!!ARBfp1.0\n"
                     "PARAM fog = program.local[0];\n"
                     "TEMP t, w, S, F, H, U, Q, sum;\n"
                     "MOV t, fragment.color.w;\n" +
                     RoundToByte("t", "w") + "MOV sum, 0;\n";
  for (int i = 0; i < kFoggedBlurTaps; ++i) {
    const std::string unit = std::to_string(i);
    text += "TEX t, fragment.texcoord[" + unit + "], texture[" + unit + "], RECT;\n";
    text += "MUL t, t, fragment.color;\n"
            "MUL t.xyz, t, fog.x;\n" +
            RoundToByte("t", "t") +
            "MUL t, t, w;\n"
            "MAD t, t, 0.0039215686, 0.5;\n"
            "FLR t, t;\n"
            "ADD sum, sum, t;\n";
  }
  return text + "MIN sum, sum, 255;\n"
                "MUL result.color, sum, 0.0039215686;\n"
                "END\n";
}

GLuint Compile(const char* text) {
  GLuint name = 0;
  while (glGetError() != GL_NO_ERROR) {
  }
  procs.gen(1, &name);
  procs.bind(GL_FRAGMENT_PROGRAM_ARB, name);
  procs.string(GL_FRAGMENT_PROGRAM_ARB, GL_PROGRAM_FORMAT_ASCII_ARB, static_cast<GLsizei>(std::strlen(text)), text);
  if (glGetError() != GL_NO_ERROR) {
    procs.erase(1, &name);
    name = 0;
  }
  return name;
}
}  // namespace

bool CreateFoggedGlowPrograms() {
  if (program && blurProgram) return true;
  const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  if (!HasGlExtension(extensions, "GL_ARB_fragment_program")) return false;
  if (!FindGlProc(procs.gen, "glGenProgramsARB") || !FindGlProc(procs.bind, "glBindProgramARB") ||
      !FindGlProc(procs.string, "glProgramStringARB") || !FindGlProc(procs.erase, "glDeleteProgramsARB") ||
      !FindGlProc(procs.local, "glProgramLocalParameter4fARB"))
    return false;
  program = Compile(LayersProgramText().c_str());
  blurProgram = Compile(BlurProgramText().c_str());
  return program != 0 && blurProgram != 0;
}

float LinearFogAtUnitDistance(float start, float end) {
  // The driver's linear fog is one multiply-add: coordinate x (-1/(end-start)) + end/(end-start).
  const float scale = end == start ? 1.0f : -1.0f / (end - start);
  const float bias = end * -scale;
  const float f = scale + bias;
  return f < 0 ? 0 : f > 1 ? 1 : f;
}

float CurrentFogAtUnitDistance() {
  GLfloat start = 0, end = 0;
  glGetFloatv(GL_FOG_START, &start);
  glGetFloatv(GL_FOG_END, &end);
  return LinearFogAtUnitDistance(start, end);
}

bool FogIsLinearBlack() {
  GLint mode = 0, source = 0;
  GLfloat colour[4];
  glGetIntegerv(GL_FOG_MODE, &mode);
  glGetIntegerv(GL_FOG_COORD_SRC, &source);
  glGetFloatv(GL_FOG_COLOR, colour);
  return mode == GL_LINEAR && source == GL_FRAGMENT_DEPTH && colour[0] == 0 && colour[1] == 0 && colour[2] == 0;
}

void DrawFoggedLayers(GLuint half, int halfWidth, int halfHeight, GLuint frame, int width, int height, int layers,
                      float fogFactor) {
  glActiveTexture(GL_TEXTURE1);
  glBindTexture(GL_TEXTURE_RECTANGLE_ARB, frame);
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_RECTANGLE_ARB, half);
  procs.bind(GL_FRAGMENT_PROGRAM_ARB, program);
  procs.local(GL_FRAGMENT_PROGRAM_ARB, 0, fogFactor, static_cast<float>(layers), 0, 0);
  glEnable(GL_FRAGMENT_PROGRAM_ARB);
  glBegin(GL_QUADS);
  for (const auto& corner : kRectQuadCorners) {
    glMultiTexCoord2i(GL_TEXTURE0, corner[0] * halfWidth, (1 - corner[1]) * halfHeight);
    glMultiTexCoord2i(GL_TEXTURE1, corner[0] * width, (1 - corner[1]) * height);
    glVertex3i(corner[0], corner[1], -1);
  }
  glEnd();
  glDisable(GL_FRAGMENT_PROGRAM_ARB);
  glBindTexture(GL_TEXTURE_RECTANGLE_ARB, frame);
}

void DrawFoggedBlur(GLuint half, int halfWidth, int halfHeight, const int (*shifts)[2], float fogFactor) {
  for (int u = kFoggedBlurTaps - 1; u >= 0; --u) {
    glActiveTexture(GL_TEXTURE0 + u);
    glBindTexture(GL_TEXTURE_RECTANGLE_ARB, half);
  }
  procs.bind(GL_FRAGMENT_PROGRAM_ARB, blurProgram);
  procs.local(GL_FRAGMENT_PROGRAM_ARB, 0, fogFactor, 0, 0, 0);
  glEnable(GL_FRAGMENT_PROGRAM_ARB);
  glBegin(GL_QUADS);
  for (const auto& corner : kRectQuadCorners) {
    for (int u = 0; u < kFoggedBlurTaps; ++u)
      glMultiTexCoord2i(GL_TEXTURE0 + u, shifts[u][0] + corner[0] * halfWidth,
                        shifts[u][1] + (1 - corner[1]) * halfHeight);
    glVertex3i(corner[0], corner[1], -1);
  }
  glEnd();
  glDisable(GL_FRAGMENT_PROGRAM_ARB);
}
