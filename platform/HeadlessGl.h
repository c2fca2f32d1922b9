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

// Whether this renderer can draw a width x height picture offscreen: within the EGL pbuffer,
// viewport and rectangle texture limits. tooLarge names the binding limit in message,
// noContext says why no context could be made at all.
enum class GlFit { fits, tooLarge, noContext };
GlFit HeadlessGlFits(int width, int height, std::string& message);

// The lower-left width x height of the current framebuffer as RGB, top row first (as on screen).
void ReadFrameRgb(int width, int height, std::vector<uint8_t>& rgb);
// The lower-left width x height into the middle of a frameWidth x frameHeight RGB frame, top
// row first, the bars around it black (a frame of the right size allocates nothing).
void ReadPictureRgb(int width, int height, int frameWidth, int frameHeight, std::vector<uint8_t>& rgb);
// The same, written to path as a PNG file; false with a message in error when it cannot be.
bool WriteFramePng(const std::string& path, int width, int height, std::string& error);
