// The deformed model scene's camera, as a function of the demo time in seconds.
#pragma once
#include "assets/Point3.h"

// Circles the axis through (0, 0, 4.8) at radius 20, one turn every pi seconds, height within 25.
Point3 DeformedEye(float t);
