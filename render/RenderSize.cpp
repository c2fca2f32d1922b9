// The render size and the scale of pixel-sized drawing to it.
#include "render/RenderSize.h"

RenderSize renderSize;

void SetRenderSize(int width, int height) { renderSize = {width, height}; }

float ScreenPixels(float pixelsAt600) {
  return pixelsAt600 * static_cast<float>(renderSize.height) / 600.0f;
}
