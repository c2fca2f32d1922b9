// Fixed-precision OBJ formatting, so the same mesh always gives the same bytes.
#include "tools/modelgen/ObjWriter.h"

#include <cmath>
#include <cstdio>

namespace {

// Four decimals are far below a pixel at the show's scales; a rounded -0 is written as 0.
void AppendCoordinate(std::string& out, double value) {
  char text[32];
  const double rounded = std::round(value * 10000.0) / 10000.0;
  std::snprintf(text, sizeof text, " %.4f", rounded == 0 ? 0.0 : rounded);
  out += text;
}

}  // namespace

std::string FormatObj(const Mesh& mesh, const std::string& comment) {
  std::string out = "# " + comment + "\n";
  for (const Vec3& p : mesh.positions) {
    out += "v";
    AppendCoordinate(out, p.x);
    AppendCoordinate(out, p.y);
    AppendCoordinate(out, p.z);
    out += "\n";
  }
  for (size_t group = 0; group < mesh.groupNames.size(); ++group) {
    bool opened = false;
    for (size_t i = 0; i < mesh.triangles.size(); ++i) {
      if (mesh.triangleGroups[i] != static_cast<int>(group)) continue;
      if (!opened) {
        out += "g " + mesh.groupNames[group] + "\n";
        opened = true;
      }
      char line[64];
      const Triangle& t = mesh.triangles[i];
      std::snprintf(line, sizeof line, "f %d %d %d\n", t[0] + 1, t[1] + 1, t[2] + 1);
      out += line;
    }
  }
  return out;
}
