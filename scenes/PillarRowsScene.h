// The pillar rows' scroll, the centre sphere's exit and the camera of each variant, as functions
// of the demo time in seconds; and the blue-edged black pillar shared with the finale.
#pragma once
#include "assets/Point3.h"

// How far the rows have slid toward -x: eases toward 640, reached only at 250 s.
float PillarRowsScroll(float t);
// How far the centre sphere has slid along the corridor: 0 until 234 s, 40 from 236 s.
float PillarRowsExit(float t);
// The camera eye of variants 0 to 3; false (eye untouched) for any other variant.
bool PillarRowsEye(int variant, float t, Point3& eye);

// The box of the current matrix twice: as blue wire edges 5 wide, then filled black.
// Leaves line width 1, polygon mode fill and the colour black.
void DrawEdgedPillar();
// What DrawEdgedPillar leaves behind, for a pillar the shortcuts did not send.
void LeaveEdgedPillarState();
