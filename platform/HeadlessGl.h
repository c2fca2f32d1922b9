// An offscreen OpenGL compatibility context (EGL pbuffer on Mesa's surfaceless platform), for
// the tools and tests that render without a display.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct HeadlessGl {
  void* display = nullptr;
  void* surface = nullptr;
  void* context = nullptr;
  int width = 0;
  int height = 0;
};

// Makes an RGBA8 + 16-bit depth pbuffer of width x height and makes its context current.
bool CreateHeadlessGl(int width, int height, HeadlessGl& gl, std::string& error);
void DestroyHeadlessGl(HeadlessGl& gl);

// The lower-left width x height of the current framebuffer as RGB, top row first (as on screen).
void ReadFrameRgb(int width, int height, std::vector<uint8_t>& rgb);
// The same, written to path as a PNG file; false with a message in error when it cannot be.
bool WriteFramePng(const std::string& path, int width, int height, std::string& error);
