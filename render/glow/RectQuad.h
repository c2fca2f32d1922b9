// The viewport-covering quad every glow pass draws.
#pragma once

// DrawRectQuad's corners in its order, as (x, y) of the filter's unit square; y = 1 is the bottom.
constexpr int kRectQuadCorners[4][2] = {{0, 1}, {0, 0}, {1, 0}, {1, 1}};

// Covers the viewport with the texel rectangle x0..x0+w, y0..y0+h of the bound rectangle
// texture, inside a GL_QUADS batch the caller opened; texel row y0 (a copy's bottom row) lands
// at the bottom.
void DrawRectQuad(int w, int h, int x0, int y0);
