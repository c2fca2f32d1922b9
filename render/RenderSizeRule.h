// How the window's picture size is chosen, once at start-up from the renderer's identity:
// renderers on the graphics card draw at the size the picture is shown, so a large screen shows
// a sharp picture; software renderers draw the show's own 800 x 600 and the finished picture is
// scaled to the screen with a filtered blit, since their frame time grows with the pixels
// (Mesa's llvmpipe on two cores already needs 15 to 35 ms for an 800 x 600 frame).
#pragma once
#include "render/PictureFit.h"
#include "render/RenderSize.h"

enum class RenderSizeRule {
  showSize,   // always 800 x 600, scaled up or down to the picture's rectangle
  shownSize,  // the picture's rectangle itself
};

// From the GL_RENDERER string: Mesa's llvmpipe, softpipe and swrast, Chromium's SwiftShader, and
// any renderer that calls itself a software one, get showSize.
RenderSizeRule ChooseRenderSizeRule(const char* rendererName);
// The size to render at for a picture shown in shown; never below 8 x 6, never above the
// largest texture the glow can make.
RenderSize RenderSizeFor(RenderSizeRule rule, const PictureRect& shown, int maxTextureSize);
// One line for stderr, saying what was chosen and why.
void DescribeRenderSizeRule(RenderSizeRule rule, const char* rendererName, char* line, int lineSize);
