// The metaball scene of 161-188.5 s: the figure or the metaball surface inside a cylinder tunnel.
#pragma once

void DrawMetaballScene(int variant);
void DrawMetaballSurface();
