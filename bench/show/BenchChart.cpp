// Drawn in an 800 x 600 space with y down, read back and written with the project's PNG layer.
#include "bench/show/BenchChart.h"

#include <algorithm>
#include <cstdio>

#include "platform/HeadlessGl.h"
#include "render/Font.h"
#include "platform/Gl.h"
#include "render/Overlays.h"

namespace {
constexpr int kWidth = 800, kHeight = 600;
constexpr float kBarLeft = 220, kBarRight = 710, kTop = 60, kRowHeight = 30;
constexpr double kFrameBudgetMs = 1000.0 / 60;

// Text at (x, y) of the chart space (top left of the line, y down); glyphs 10 pixels high.
void Label(float x, float y, const char* text, float r, float g, float b) {
  glColor3f(r, g, b);
  PrintText(static_cast<int>(x * 0.8f), static_cast<int>((kHeight - y - 11) * 0.8f), text, 0, 0.5f);
  glEnable(GL_BLEND);
}
}  // namespace

bool WriteFrameTimeChart(const std::string& path, const std::vector<WindowResult>& results, std::string& error) {
  double scaleMs = kFrameBudgetMs;
  for (const WindowResult& r : results) scaleMs = std::max(scaleMs, r.p95Ms);
  scaleMs *= 1.05;
  const auto x = [&](double ms) { return kBarLeft + static_cast<float>(ms / scaleMs) * (kBarRight - kBarLeft); };

  glViewport(0, 0, kWidth, kHeight);
  glClearColor(0.08f, 0.08f, 0.1f, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glClearColor(0, 0, 0, 0);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_FOG);
  glDisable(GL_TEXTURE_2D);
  Begin2D();
  Label(20, 15, "vexilograph-bench: frame time per window, ms", 1, 1, 1);
  Label(20, 32, "bar median, white tick p95, grey floor, red 16.7 ms", 0.7f, 0.7f, 0.7f);
  char value[32];
  for (size_t i = 0; i < results.size(); ++i) {
    const WindowResult& r = results[i];
    const float top = kTop + kRowHeight * static_cast<float>(i);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glColor3f(0.25f, 0.7f, 0.35f);
    DrawOverlayQuad(kBarLeft, top + 5, x(r.medianMs), top + kRowHeight - 5);
    glColor3f(0.5f, 0.5f, 0.5f);
    DrawOverlayQuad(kBarLeft, top + 11, x(r.floorMs), top + kRowHeight - 11);
    glColor3f(1, 1, 1);
    DrawOverlayQuad(x(r.p95Ms) - 1, top + 3, x(r.p95Ms) + 1, top + kRowHeight - 3);
    Label(10, top + 9, r.window->name, 0.9f, 0.9f, 0.9f);
    std::snprintf(value, sizeof value, "%.1f", r.medianMs);
    Label(x(r.p95Ms) + 6, top + 9, value, 0.9f, 0.9f, 0.9f);
  }
  glDisable(GL_BLEND);
  glDisable(GL_TEXTURE_2D);
  glColor3f(0.9f, 0.2f, 0.2f);
  DrawOverlayQuad(x(kFrameBudgetMs) - 1, kTop - 5, x(kFrameBudgetMs) + 1, kTop + kRowHeight * static_cast<float>(results.size()));
  glColor3f(1, 1, 1);
  End2D();
  glEnable(GL_DEPTH_TEST);
  glFinish();
  return WriteFramePng(path, kWidth, kHeight, error);
}
