// A textured cube from -1 to 1, each face carrying the whole texture once.
#pragma once

void DrawBox();
