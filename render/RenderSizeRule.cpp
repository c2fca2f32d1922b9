#include "render/RenderSizeRule.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {
// Chromium's software WebGL (SwiftShader) names itself in the page's unmasked renderer string.
constexpr const char* kSoftwareRenderers[] = {"llvmpipe", "softpipe", "swrast", "SwiftShader", "Software", "software"};
constexpr int kSmallestWidth = 8;
constexpr int kSmallestHeight = 6;
}  // namespace

RenderSizeRule ChooseRenderSizeRule(const char* rendererName) {
  if (!rendererName) return RenderSizeRule::showSize;
  for (const char* software : kSoftwareRenderers) {
    if (std::strstr(rendererName, software)) return RenderSizeRule::showSize;
  }
  return RenderSizeRule::shownSize;
}

RenderSize RenderSizeFor(RenderSizeRule rule, const PictureRect& shown, int maxTextureSize) {
  if (rule == RenderSizeRule::showSize) return RenderSize{};
  RenderSize size{std::max(shown.width, kSmallestWidth), std::max(shown.height, kSmallestHeight)};
  if (maxTextureSize > 0 && size.width > maxTextureSize) {
    size.height = size.height * maxTextureSize / size.width;
    size.width = maxTextureSize;
  }
  return size;
}

void DescribeRenderSizeRule(RenderSizeRule rule, const char* rendererName, char* line, int lineSize) {
  const char* name = rendererName ? rendererName : "an unnamed renderer";
  if (rule == RenderSizeRule::showSize) {
    std::snprintf(line, static_cast<size_t>(lineSize),
                  "vexilograph: rendering at 800 x 600, scaled to the screen: %s renders in software", name);
  } else {
    std::snprintf(line, static_cast<size_t>(lineSize),
                  "vexilograph: rendering at the size the picture is shown: %s renders on the graphics card", name);
  }
}
