// Drawing the pillar scenes' pillars, with the ones beyond the view left out.
#include "scenes/PillarGrid.h"

#include "render/Box.h"
#include "platform/Gl.h"
#include "render/RenderSize.h"
#include "render/ViewCulling.h"

namespace {
constexpr float kWideEdgePixels = 5;

// The state of the second, black pass; also what a whole pillar leaves behind.
void BeginBlackFaces(PillarEdges edges) {
  if (edges == PillarEdges::wide) glLineWidth(ScreenPixels(1));
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glColor3f(0, 0, 0);
}

void DrawEdgedBox(PillarEdges edges) {
  if (edges == PillarEdges::wide) glLineWidth(ScreenPixels(kWideEdgePixels));
  glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  glColor3fv(kPillarEdgeColour);
  DrawBox();
  BeginBlackFaces(edges);
  DrawBox();
}
}  // namespace

int SquareGridPlaces(int first, int last, float spacing, float (*halfHeight)(int i, int j), PillarPlace* out) {
  int count = 0;
  for (int i = first; i <= last; ++i)
    for (int j = first; j <= last; ++j)
      out[count++] = {spacing * static_cast<float>(i), spacing * static_cast<float>(j), halfHeight(i, j)};
  return count;
}

void DrawPillars(const PillarPlace* places, int count, PillarEdges edges) {
  const ViewVolume view = CurrentViewVolume();
  bool lastLeftOut = false;
  for (int k = 0; k < count; ++k) {
    const PillarPlace& place = places[k];
    lastLeftOut = PillarOutside(view, place.x, place.z, place.halfHeight);
    if (lastLeftOut) continue;
    glPushMatrix();
    glTranslatef(place.x, 0, place.z);
    glScalef(1, place.halfHeight, 1);
    DrawEdgedBox(edges);
    glPopMatrix();
  }
  if (lastLeftOut) {
    BeginBlackFaces(edges);
    LeaveBoxTexCoord();
  }
}
