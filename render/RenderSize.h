// The size the show renders at: the window's 800 x 600, or a capture's own 4:3 size. Set once
// before start-up; everything drawn in pixels (render textures, blur reach, line widths,
// point sizes) follows it, while the overlay and text spaces follow the viewport by themselves.
#pragma once

struct RenderSize {
  int width = 800;
  int height = 600;
};
extern RenderSize renderSize;

// Before start-up (the glow's render textures are made at this size).
void SetRenderSize(int width, int height);
// A line width or point size of the 800 x 600 picture, in pixels of the render size.
float ScreenPixels(float pixelsAt600);
