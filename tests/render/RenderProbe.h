// Helpers for the render tests: the state every scene is entered with, frames written and read
// as RGB (top row first), synthetic textures, and a snapshot of the GL state layers leave.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/Gl.h"

struct GlStateSnapshot {
  GLfloat colour[4];
  GLboolean blend, texture2d, textureRect, depthTest;
  GLint blendSrc, blendDst;
  GLint binding2d, bindingRect;
  GLfloat lineWidth;
  GLint modelviewDepth, projectionDepth, matrixMode;
  GLint viewport[4];
};

GlStateSnapshot CaptureGlState();
// Modelview selected and identity, the show's 45 degree projection, white, depth test on with
// GL_LEQUAL, blending and texturing off, line width 1, colour and depth cleared.
void ResetSceneState();
// Writes an 800 x 600 RGB image (top row first) into the colour buffer, depth untouched.
void WriteFrame(const std::vector<uint8_t>& rgb);
std::vector<uint8_t> UniformFrame(uint8_t r, uint8_t g, uint8_t b);
// An RGBA GL_TEXTURE_2D with nearest filtering; row 0 of pixels lies at t = 0.
GLuint MakeTexture(int width, int height, const std::vector<uint8_t>& rgba);
int MaxDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b);
