// Which boxes of a scene can reach the picture, so that frames drawn with the shortcuts need not
// send those that cannot: the clipper would have discarded every one of their primitives.
#pragma once

struct ViewVolume {
  bool culling = false;  // only frames drawn with the shortcuts leave anything out
  float clip[16] = {};   // projection x modelview, column-major, as GL applies them
  float marginX = 0;     // the side planes widened by a few pixels, in normalised device units
  float marginY = 0;
};

// From the current projection and modelview matrices and viewport, for the frame's pass mode.
ViewVolume CurrentViewVolume();
// True when culling and the pillar (the box of DrawBox moved to (x, 0, z) and stretched to
// halfHeight, in the frame the matrices were read in) lies wholly beyond one plane of the view
// volume. The side planes are widened by 8 pixels, so that wide lines and their ends near an
// edge still count as visible, and the near and far planes by a thousandth, far above the
// rounding of the transform.
bool PillarOutside(const ViewVolume& view, float x, float z, float halfHeight);
// The clip-space w of the point (x, 0, z): its distance in front of the eye along the view axis.
float ViewDistance(const ViewVolume& view, float x, float z);
