// Renders each generated model offscreen from four sides (three lit views and one sphere-mapped
// view, as the show draws them) into <folder>/<stem>.png, and again as the show's scenes frame
// it (their cameras, transforms and back-face culling) into <folder>/scene-<name>.png.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "platform/HeadlessGl.h"
#include "platform/Gl.h"
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

void Quad(double y, double half) {
  glBegin(GL_QUADS);
  glVertex3d(-half, y, -half);
  glVertex3d(half, y, -half);
  glVertex3d(half, y, half);
  glVertex3d(-half, y, half);
  glEnd();
}

// The model sphere-mapped and back-face culled, so inward winding would show as holes.
void DrawShowModel(const Mesh& mesh, const std::vector<Vec3>& normals) {
  glEnable(GL_CULL_FACE);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_TEXTURE_GEN_S);
  glEnable(GL_TEXTURE_GEN_T);
  glColor3f(1, 1, 1);
  DrawMesh(mesh, normals);
  glDisable(GL_TEXTURE_GEN_S);
  glDisable(GL_TEXTURE_GEN_T);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_CULL_FACE);
}

struct SceneView {
  const char* name;
  const char* model;
  double t;  // demo time of the frame, seconds
  void (*place)(double t, const std::function<void()>& draw);
};

const SceneView kSceneViews[] = {
    {"dolphins", "dolphin", 70,
     [](double t, const std::function<void()>& draw) {
       glTranslated(0, 0, -10);
       glRotated(35 * std::sin(0.2 * t) + 90, 0, 1, 0);
       const double places[3][4] = {{0, -std::sin(5 * t) / 3, 0, 0.08},
                                    {13, -std::cos(5.5 * t + 3) / 3, 6, 0.07},
                                    {13, -std::cos(4.8 * t + 1) / 3, -6, 0.07}};
       for (const auto& place : places) {
         glPushMatrix();
         glTranslated(place[0], place[1], place[2]);
         glRotated(1.75 * std::sin(5 * t), 0, 0, 1);
         glScaled(place[3], place[3], place[3]);
         draw();
         glPopMatrix();
       }
       glColor3f(0.3f, 0.3f, 0.35f);
       Quad(-1.5, 20);
       Quad(2, 20);
     }},
    {"figure-orbit", "gubbe2", 125,
     [](double t, const std::function<void()>& draw) {
       glTranslated(0, -2, 0);
       gluLookAt(20 * std::sin(t), 2, 20 * std::cos(t), 0, 8, 0, 0, 1, 0);
       glScaled(0.3, 0.3, 0.3);
       glTranslated(0, 30, 0);
       glPushMatrix();
       glRotated(-90, 1, 0, 0);
       glRotated(-180, 0, 0, 1);
       glScaled(0.5, 0.5, 0.5);
       draw();
       glPopMatrix();
       GLUquadric* quadric = gluNewQuadric();
       glRotated(200 * t, 0, 1, 0);
       for (double x : {-25.0, 25.0}) {
         glPushMatrix();
         glTranslated(x, 0, 0);
         glColor3f(0.5f, 0.5f, 0.6f);
         gluSphere(quadric, 6, 32, 32);
         glPopMatrix();
       }
       gluDeleteQuadric(quadric);
     }},
    {"metal-figure", "gubbe2", 165,
     [](double t, const std::function<void()>& draw) {
       gluLookAt(10 * std::sin(t + 2), 3, 10 * std::cos(t + 2), 0, 0, 0, 0, 1, 0);
       glRotated(-90, 1, 0, 0);
       glRotated(-180, 0, 0, 1);
       glScaled(0.1, 0.1, 0.1);
       draw();
     }},
    {"shaft", "deformed2", 135,
     [](double t, const std::function<void()>& draw) {
       gluLookAt(10 * std::sin(0.5 * t), 20 * std::cos(0.25 * t), 10 * std::cos(0.5 * t), 0, 0, 0, 0, 1, 0);
       draw();
     }},
    {"deformed", "deformed", 150,
     [](double t, const std::function<void()>& draw) {
       gluLookAt(20 * std::sin(2 * t), 25 * std::cos(0.4 * t), 20 * std::cos(2 * t) + 4.8, 0, 0, 0, 0, 1, 0);
       glScaled(1.5, 1.5, 1.5);
       draw();
     }},
    {"pillar-rows", "dolphin", 212,
     [](double t, const std::function<void()>& draw) {
       gluLookAt(10, 1, 0, 0, 0, 0, 0, 1, 0);
       glColor3f(0.2f, 0.25f, 0.8f);
       for (double z : {-3.0, 3.0})
         for (double x = -24; x <= 24; x += 8) {
           glPushMatrix();
           glTranslated(x, 0, z);
           glScaled(1, 4, 1);
           for (double y : {-1.0, 1.0}) Quad(y, 1);
           glPopMatrix();
         }
       glTranslated(0, std::sin(6 * t) / 3, 0);
       glRotated(180, 0, 1, 0);
       glScaled(0.06, 0.06, 0.06);
       draw();
     }},
    {"spikeball", "spikeball", 241.5,
     [](double t, const std::function<void()>& draw) {
       glTranslated(0, 0, -10);
       glTranslated(0, 0, 5);
       glRotated(30 * t, 0, 1, 0);
       glScaled(0.3, 0.3, 0.3);
       draw();
     }},
};

bool WritePng(const std::string& path) {
  std::string error;
  const bool ok = WriteFramePng(path, kWidth, kHeight, error);
  if (!ok) std::fprintf(stderr, "vex-modelpreview: %s\n", error.c_str());
  return ok;
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
    if (!WritePng(std::string(argv[1]) + "/" + entry.name + ".png")) return 1;
  }

  glDisable(GL_LIGHTING);
  glViewport(0, 0, kWidth, kHeight);
  for (const SceneView& view : kSceneViews) {
    const ModelEntry* entry = std::find_if(std::begin(kModels), std::end(kModels),
                                           [&](const ModelEntry& e) { return std::string(e.name) == view.model; });
    const Mesh mesh = entry->build();
    const std::vector<Vec3> normals = VertexNormals(mesh);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, 4.0 / 3.0, 1, 100);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    view.place(view.t, [&] { DrawShowModel(mesh, normals); });
    if (!WritePng(std::string(argv[1]) + "/scene-" + view.name + ".png")) return 1;
  }
  DestroyHeadlessGl(gl);
  return 0;
}
