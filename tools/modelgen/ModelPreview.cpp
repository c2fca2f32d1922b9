// Renders each generated model offscreen from four sides (three lit views and one sphere-mapped
// view, as the show draws them) into <folder>/<stem>.png, for checking shapes by eye.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/HeadlessGl.h"
#include "platform/PngImage.h"
#include "render/Gl.h"
#include "tools/modelgen/MeshCheck.h"
#include "tools/modelgen/ModelList.h"

namespace {

constexpr int kWidth = 800, kHeight = 600;

void DrawMesh(const Mesh& mesh, const std::vector<Vec3>& normals) {
  glBegin(GL_TRIANGLES);
  for (const Triangle& t : mesh.triangles)
    for (int index : t) {
      glNormal3d(normals[index].x, normals[index].y, normals[index].z);
      glVertex3d(mesh.positions[index].x, mesh.positions[index].y, mesh.positions[index].z);
    }
  glEnd();
}

GLuint MakeEnvironmentTexture() {
  std::vector<unsigned char> texels(128 * 128 * 3);
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 128; ++x) {
      const bool stripe = ((x / 16) + (y / 16)) % 2 == 0;
      unsigned char* texel = &texels[(y * 128 + x) * 3];
      texel[0] = static_cast<unsigned char>(stripe ? 230 : 40 + y);
      texel[1] = static_cast<unsigned char>(stripe ? 200 : 60);
      texel[2] = static_cast<unsigned char>(stripe ? 120 : 90 + x);
    }
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 128, 128, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
  return texture;
}

void RenderView(const Mesh& mesh, const std::vector<Vec3>& normals, const MeshReport& report, bool zUp,
                int quadrant, Vec3 direction, bool sphereMapped) {
  glViewport((quadrant % 2) * kWidth / 2, (1 - quadrant / 2) * kHeight / 2, kWidth / 2, kHeight / 2);
  const Vec3 centre = (report.boundsMin + report.boundsMax) * 0.5;
  const double radius = 0.5 * Length(report.boundsMax - report.boundsMin);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, 4.0 / 3.0, radius * 0.2, radius * 10);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  const Vec3 eye = Normalized(direction) * (radius * 2.0);
  gluLookAt(eye.x, eye.y, eye.z, 0, 0, 0, 0, 1, 0);
  if (zUp) glRotated(-90, 1, 0, 0);
  glTranslated(-centre.x, -centre.y, -centre.z);
  if (sphereMapped) {
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
  } else {
    glEnable(GL_LIGHTING);
  }
  DrawMesh(mesh, normals);
  glDisable(GL_TEXTURE_GEN_S);
  glDisable(GL_TEXTURE_GEN_T);
  glDisable(GL_TEXTURE_2D);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: vex-modelpreview <output folder>\n");
    return 2;
  }
  HeadlessGl gl;
  std::string error;
  if (!CreateHeadlessGl(kWidth, kHeight, gl, error)) {
    std::fprintf(stderr, "vex-modelpreview: %s\n", error.c_str());
    return 1;
  }
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_LIGHT0);
  glEnable(GL_NORMALIZE);
  const GLfloat lightDirection[4] = {0.4f, 0.7f, 0.6f, 0.0f};
  glLightfv(GL_LIGHT0, GL_POSITION, lightDirection);
  glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
  glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
  MakeEnvironmentTexture();

  const Vec3 views[4] = {{0, 0, 1}, {1, 0.15, 0}, {0.05, 1, 0.3}, {-1, 0.5, 0.8}};
  for (const ModelEntry& entry : kModels) {
    const Mesh mesh = entry.build();
    const std::vector<Vec3> normals = VertexNormals(mesh);
    const MeshReport report = CheckMesh(mesh);
    glClearColor(0.15f, 0.15f, 0.2f, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    for (int quadrant = 0; quadrant < 4; ++quadrant)
      RenderView(mesh, normals, report, entry.zUp, quadrant, views[quadrant], quadrant == 3);
    PngImage image;
    image.width = kWidth;
    image.height = kHeight;
    image.channels = 3;
    ReadFrameRgb(kWidth, kHeight, image.pixels);
    std::vector<uint8_t> bytes;
    const std::string path = std::string(argv[1]) + "/" + entry.name + ".png";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!EncodePng(image, bytes, error) || !file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
      std::fprintf(stderr, "vex-modelpreview: cannot write %s\n", path.c_str());
      if (file) std::fclose(file);
      return 1;
    }
    std::fclose(file);
  }
  DestroyHeadlessGl(gl);
  return 0;
}
