// Drawing the pillar scenes' pillars: as written, or with the ones beyond the view left out and
// the rest nearest first, edges then faces.
#include "scenes/PillarGrid.h"

#include <algorithm>
#include <cassert>

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

void DrawPillarsAsWritten(const PillarPlace* places, int count, PillarEdges edges) {
  for (int k = 0; k < count; ++k) {
    const PillarPlace& place = places[k];
    glPushMatrix();
    glTranslatef(place.x, 0, place.z);
    glScalef(1, place.halfHeight, 1);
    DrawEdgedBox(edges);
    glPopMatrix();
  }
}

void DrawPlacedBox(const PillarPlace& place) {
  glPushMatrix();
  glTranslatef(place.x, 0, place.z);
  glScalef(1, place.halfHeight, 1);
  DrawBox();
  glPopMatrix();
}

// The pillars that can show, nearest first, then all their wire edges and all their black faces.
// A pixel ends in the colour of its nearest fragment, under the less-or-equal test the later of
// a tie; the order changes only ties between different pillars, and the gaps between pillars
// keep their depths many steps of the 16-bit buffer apart wherever one covers another (wide
// edges reach 2.5 pixels, far less than a gap), so the pixels stay the same. Each pillar's own
// faces still follow its edges. It saves two polygon-mode and colour changes per pillar, and
// nearer faces hide farther ones from the depth test before they are shaded.
void DrawPillarsNearestFirst(const PillarPlace* places, int count, PillarEdges edges, const ViewVolume& view) {
  int order[kMaxPillars];
  float distance[kMaxPillars];
  int shown = 0;
  for (int k = 0; k < count; ++k) {
    const PillarPlace& place = places[k];
    if (PillarOutside(view, place.x, place.z, place.halfHeight)) continue;
    distance[k] = ViewDistance(view, place.x, place.z);
    order[shown++] = k;
  }
  std::sort(order, order + shown,
            [&](int a, int b) { return distance[a] != distance[b] ? distance[a] < distance[b] : a < b; });
  if (edges == PillarEdges::wide) glLineWidth(ScreenPixels(kWideEdgePixels));
  glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  glColor3fv(kPillarEdgeColour);
  for (int i = 0; i < shown; ++i) DrawPlacedBox(places[order[i]]);
  BeginBlackFaces(edges);
  for (int i = 0; i < shown; ++i) DrawPlacedBox(places[order[i]]);
  // What the last pillar drawn as written leaves, whether or not any was drawn.
  LeaveBoxTexCoord();
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
  assert(count <= kMaxPillars);
  if (view.culling) DrawPillarsNearestFirst(places, count, edges, view);
  else DrawPillarsAsWritten(places, count, edges);
}
