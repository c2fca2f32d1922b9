// The same passes the show's frame draws, so the floor follows whatever they become.
#include "bench/show/FloorFrame.h"

#include "director/Timeline.h"
#include "platform/Gl.h"

void DrawFloorFrame(float t) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
  DrawScreenPasses(t);
}
