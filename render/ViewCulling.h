// Which boxes of a scene can reach the picture, so that frames drawn with the shortcuts need not
// send those that cannot: the clipper would have discarded every one of their primitives.
#pragma once

struct ViewVolume {
  float clip[16];     // projection x modelview, column-major, as GL applies them
  float marginX = 0;  // the side planes widened by a few pixels, in normalised device units
  float marginY = 0;
};

// From the current projection and modelview matrices and viewport.
ViewVolume CurrentViewVolume();
// True when the box with corners lo..hi (in the frame the matrices were read in) lies wholly
// beyond one plane of the view volume. The side planes are widened by 8 pixels, so that wide
// lines and their ends near an edge still count as visible, and the near and far planes by a
// thousandth, far above the rounding of the transform.
bool BoxOutside(const ViewVolume& view, const float lo[3], const float hi[3]);
