// Polygonises the zero set of a scalar field (negative inside) by surface nets: one vertex per
// grid cell the surface crosses, one quad per crossed grid edge, so every vertex is shared.
#pragma once
#include <functional>

#include "tools/modelgen/Mesh.h"

using ScalarField = std::function<double(Vec3)>;

// The field must be positive on the whole boundary of the box [low, high].
Mesh PolygoniseSurfaceNets(const ScalarField& field, Vec3 low, Vec3 high, double cellSize);
