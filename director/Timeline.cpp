// Placeholder frame until the timeline lands: a black picture.
#include "director/Timeline.h"

#include "render/Gl.h"

bool DrawTimeline() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  return true;
}

float Ramp(float a, float b, float x) {
  if (!(x >= a)) return 0;
  if (x >= b) return 1;
  return (x - a) / (b - a);
}
