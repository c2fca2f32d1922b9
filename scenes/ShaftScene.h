// The shaft scene's camera and wall scroll, as functions of the demo time in seconds.
#pragma once
#include "assets/Point3.h"

// Circles the shaft's axis at radius 10 while bobbing between heights -20 and 20.
Point3 ShaftEye(float t);
// Texture coordinate v of the walls' lower corners: four repeats per second, never wrapped.
float ShaftWallScroll(float t);
