// One-time start-up: textures, models, random tables, shared GL state, then the music.
#pragma once
#include "render/Gl.h"

void DemoStartup();

// A new texture from a PNG file: bound, GL_REPEAT, GL_NEAREST, level 0 with the file's top row
// at t = 0; RGBA where the file has alpha, RGB otherwise. 0 on any failure, and then no
// texture is made.
GLuint LoadTexture(const char* path);

// cloudPoints, then tunnelPoints, from the shared generator (12000 draws).
void FillRandomPointTables();
