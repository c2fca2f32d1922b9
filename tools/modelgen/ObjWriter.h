// Plain Wavefront OBJ text: a comment, "v" lines, then one "g" block of "f" lines per group.
#pragma once
#include <string>

#include "tools/modelgen/Mesh.h"

std::string FormatObj(const Mesh& mesh, const std::string& comment);
