// One-time start-up: textures, models, random tables, shared GL state, then the music.
#pragma once
#include "platform/PngImage.h"
#include "platform/Gl.h"

void DemoStartup();

// DemoStartup's steps, in the order it runs them; separate so that each can be timed.
void LoadTextures();
void LoadModels();
void FillRandomPointTables();  // cloudPoints, then tunnelPoints (12000 draws)
void SetSharedGlState();       // with the font, the quadric, the ball phases, the render textures
void OpenMusic();              // the track starts playing, spectrum analysis on

// A window that changed size between frames, on a renderer that draws at the size shown: the
// render textures and the glow's proved shortcuts for the new size.
void ChangeRenderSize(int width, int height);

// A new texture from a PNG file: bound, GL_REPEAT, GL_NEAREST, level 0 with the file's top row
// at t = 0; RGBA where the file has alpha, RGB otherwise. 0 on any failure, and then no
// texture is made.
GLuint LoadTexture(const char* path);

// LoadTexture's two halves: the file's pixels (any thread), then the GL texture (GL thread).
struct DecodedTexture {
  bool ok = false;
  PngImage image;
};
DecodedTexture DecodeTextureFile(const char* path);
GLuint UploadTexture(const DecodedTexture& texture);
