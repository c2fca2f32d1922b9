// Indexed triangle mesh the generator builds, cleans up and writes; vertices are shared
// between neighbouring triangles and triangles wind counter-clockwise seen from outside.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "tools/modelgen/Vec3.h"

using Triangle = std::array<int, 3>;  // 0-based vertex indices

struct Mesh {
  std::vector<Vec3> positions;
  std::vector<Triangle> triangles;
  std::vector<int> triangleGroups;  // one entry per triangle, index into groupNames
  std::vector<std::string> groupNames = {"default"};
};

// Merges vertices closer than tolerance and drops triangles that collapse.
void WeldVertices(Mesh& mesh, double tolerance);

// Removes vertices no triangle uses, keeping the order of the rest.
void DropUnusedVertices(Mesh& mesh);

// Taubin's shrink-free smoothing with uniform neighbour weights.
void TaubinSmooth(Mesh& mesh, int iterations, double lambda = 0.5, double mu = -0.53);

// Area-weighted vertex normals, the way the show's loader computes them.
std::vector<Vec3> VertexNormals(const Mesh& mesh);

Vec3 FaceNormalTimesTwoArea(const Mesh& mesh, const Triangle& triangle);
