// Quadric-error edge-collapse decimation that keeps a closed manifold closed and manifold.
#pragma once
#include "tools/modelgen/Mesh.h"

// Collapses edges, cheapest first, until at most targetTriangles remain or no collapse is
// safe. Collapses that would flip or crush a triangle or pinch the surface are refused.
void DecimateMesh(Mesh& mesh, int targetTriangles);
