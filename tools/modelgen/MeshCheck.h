// Structural and shape checks a mesh must pass before the generator writes it.
#pragma once
#include <string>

#include "tools/modelgen/Mesh.h"

struct MeshReport {
  int vertices = 0;
  int triangles = 0;
  int edgesNotPairedOnce = 0;    // directed edges without exactly one opposite partner
  int nonManifoldVertices = 0;   // vertices whose surrounding triangles are not one fan
  int degenerateTriangles = 0;   // area below a small fraction of the mean
  int unusedVertices = 0;
  double signedVolume = 0;       // positive when the winding faces outward
  double minTriangleQuality = 1; // 4*sqrt(3)*area / sum of squared edges; 1 is equilateral
  double maxNeighbourAngle = 0;  // largest angle (degrees) between adjacent face normals
  Vec3 boundsMin, boundsMax;
};

MeshReport CheckMesh(const Mesh& mesh);

// Empty when the mesh is a closed, consistently outward-wound 2-manifold without degenerate
// triangles; otherwise a one-line description of what is wrong.
std::string DescribeDefects(const MeshReport& report);
