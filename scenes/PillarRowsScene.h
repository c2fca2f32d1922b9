// The pillar rows' scroll, the centre sphere's exit and the camera of each variant, as functions
// of the demo time in seconds.
#pragma once
#include "assets/Point3.h"

// How far the rows have slid toward -x: eases toward 640, reached only at 250 s.
float PillarRowsScroll(float t);
// How far the centre sphere has slid along the corridor: 0 until 234 s, 40 from 236 s.
float PillarRowsExit(float t);
// The camera eye of variants 0 to 3; false (eye untouched) for any other variant.
bool PillarRowsEye(int variant, float t, Point3& eye);

