// The five models of the show, each built from scratch on every call (same result every time).
#pragma once
#include "tools/modelgen/Mesh.h"

// Bottlenose dolphin, about 100 long on x, head toward -x, y up; groups "body" and "fins".
Mesh MakeDolphin();
// Stylised standing figure, z up, facing -y, about 60 tall, centred.
Mesh MakeFigure();
// Noise-deformed, twisted sphere of radius about 4.5.
Mesh MakeDeformedBlob();
// Wobbling, twisted torus reaching radius about 3.5.
Mesh MakeDeformedTorus();
// Sphere of radius 3.5 with evenly spread conical spikes reaching 6.5.
Mesh MakeSpikeball();

// Shared pipeline of the implicit models: polygonise, smooth, decimate to the target.
struct ImplicitBuild {
  Vec3 low, high;
  double cellSize;
  int targetTriangles;
  int smoothingPasses;
};
Mesh BuildImplicitMesh(double (*field)(Vec3), const ImplicitBuild& build);
