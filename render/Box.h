// A textured cube from -1 to 1, each face carrying the whole texture once.
#pragma once

void DrawBox();
// The texture coordinate DrawBox leaves current (its last corner's), for a box not drawn.
void LeaveBoxTexCoord();
