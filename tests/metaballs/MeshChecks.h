// Mesh facts shared by the polygoniser tests: triangles as sortable triples and a watertightness
// check that survives the snapping of vertices to whole field units.
#pragma once
#include <algorithm>
#include <array>
#include <map>
#include <tuple>
#include <vector>

#include "metaballs/GridPoint.h"

using Triangle = std::array<std::tuple<int, int, int>, 3>;

inline std::vector<Triangle> SortedTriangles(const GridPoint* vertices, int count) {
  std::vector<Triangle> triangles;
  for (int i = 0; i + 2 < count; i += 3) {
    Triangle triangle;
    for (int k = 0; k < 3; ++k) triangle[k] = {vertices[i + k].x, vertices[i + k].y, vertices[i + k].z};
    triangles.push_back(triangle);
  }
  std::sort(triangles.begin(), triangles.end());
  return triangles;
}

// A closed, consistently wound mesh uses every directed edge a→b as often as b→a. Merging
// vertices (snapping) keeps that balance, and degenerate triangles add balanced pairs, so the
// check holds for snapped meshes too. Returns the number of unbalanced directed edges.
inline int UnbalancedEdges(const GridPoint* vertices, int count) {
  using Point = std::tuple<int, int, int>;
  std::map<std::pair<Point, Point>, int> uses;
  for (int i = 0; i + 2 < count; i += 3) {
    for (int k = 0; k < 3; ++k) {
      const GridPoint& a = vertices[i + k];
      const GridPoint& b = vertices[i + (k + 1) % 3];
      if (a == b) continue;
      ++uses[{{a.x, a.y, a.z}, {b.x, b.y, b.z}}];
    }
  }
  int unbalanced = 0;
  for (const auto& [edge, n] : uses) {
    const auto reverse = uses.find({edge.second, edge.first});
    if (reverse == uses.end() || reverse->second != n) ++unbalanced;
  }
  return unbalanced;
}
