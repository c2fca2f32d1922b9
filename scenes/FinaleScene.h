// The finale's camera, sphere drop, satellite swing and pillar heights, as functions of the demo
// time in seconds and the plaza grid index.
#pragma once
#include "assets/Point3.h"

// Circles at radius 60 once every 6 pi seconds, rising and falling slowly above the floor.
Point3 FinaleEye(float t);
// Height of the big sphere's centre: about 58.75 at 250 s, 25 from 270 s on.
float FinaleDrop(float t);
// Orbit radius of the two satellites: 50, swinging in to 22 between 265 and 275 s.
float FinaleSwing(float t);
// Half-height of the plaza pillar at grid (i, j), i and j in -10..9: strictly between 2 and 6.
float FinalePillarHeight(int i, int j);
