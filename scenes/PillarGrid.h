// The blue-edged black pillars of the pillar field, the pillar rows and the finale: where each
// stands, and drawing them in order with the shortcuts' leaving out of those beyond the view.
#pragma once

constexpr float kPillarEdgeColour[3] = {0.2f, 0.25f, 0.8f};
constexpr int kMaxPillars = 400;  // the largest grid, 20 x 20

// The box of DrawBox moved to (x, 0, z) and stretched vertically to halfHeight.
struct PillarPlace {
  float x, z;
  float halfHeight;
};

// The width the wire edges are drawn with: the one in force (the pillar field keeps what its
// sphere left), or 5 pixels, put back to 1 for the black faces (pillar rows, finale).
enum class PillarEdges { widthInForce, wide };

// The places of a square grid, i in the outer loop and j in the inner one, both from first to
// last, at (spacing i, spacing j); as many as (last - first + 1)^2 are written to out.
int SquareGridPlaces(int first, int last, float spacing, float (*halfHeight)(int i, int j), PillarPlace* out);

// As written, each pillar in the order given: its box as wire edges in kPillarEdgeColour, then
// filled black with the same transform, so the faces paint over the edges inside them and leave
// a thin blue outline. Frames drawn with the shortcuts leave out the pillars the clipper would
// discard whole and draw the rest nearest first, all edges and then all faces (the same pixels).
// Leaves polygon mode fill, the colour black and the last corner's texture coordinate, and with
// wide edges line width 1. At most kMaxPillars.
void DrawPillars(const PillarPlace* places, int count, PillarEdges edges);
