// An offscreen framebuffer at the render size for windows whose picture is not exactly the
// render size: the show draws into it, then the finished picture is blitted into its 4:3
// rectangle of the window, with black bars around it. A window whose drawable is the render size
// is drawn into directly, as before, and never uses one.
#pragma once
#include "platform/Gl.h"
#include "render/PictureFit.h"

struct PictureTarget {
  GLuint framebuffer = 0;
  GLuint color = 0;  // RGB, 8 bits a channel: the window's own format
  GLuint depth = 0;  // 16 bits, as the window's depth buffer
  int width = 0;
  int height = 0;
  bool ready = false;
};

// Makes (or remakes, at a new size) the target; false, with nothing made, where framebuffer
// objects are missing or incomplete.
bool SizePictureTarget(PictureTarget& target, int width, int height, const char* extensions);
void DeletePictureTarget(PictureTarget& target);
// The show's frames draw into the target from here on.
void DrawIntoPictureTarget(const PictureTarget& target);
// Fills the window's drawable with black, the picture scaled into shown (filtered where the
// sizes differ), and leaves the window's framebuffer bound and every other piece of GL state the
// show reads as it was.
void ShowPictureTarget(const PictureTarget& target, const PictureRect& shown);
