// DrawModel: every triangle in immediate mode, one GL_TRIANGLES batch per group.
#include "assets/Model.h"
#include "platform/Gl.h"

void DrawModel(const Model& model) {
  for (const ModelGroup* group = model.groups; group; group = group->next) {
    glBegin(GL_TRIANGLES);
    for (uint32_t k = 0; k < group->numTriangles; ++k) {
      const ModelTriangle& triangle = model.triangles[group->triangles[k]];
      for (int j = 0; j < 3; ++j) {
        if (model.numTexCoords != 0) glTexCoord2fv(model.texCoords[triangle.texCoordIndices[j]]);
        const int32_t vertex = triangle.vertexIndices[j];
        glNormal3fv(model.normals[vertex]);
        glVertex3f(model.vertices[vertex][0], model.vertices[vertex][1], model.vertices[vertex][2]);
      }
    }
    glEnd();
  }
}
