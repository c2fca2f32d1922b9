// The floor of a frame: the fill work the rasteriser cannot avoid for the frame at demo time t
// (the clear, the glow's copies and screen-covering passes, the fades, scanlines and bars),
// drawn as plain quads with no scene or caption geometry.
#pragma once

// Makes the two rectangle textures the floor copies into; needs a current context.
void CreateFloorTextures();
// Leaves the state a frame leaves: depth test on, blending and texturing off, colour white.
void DrawFloorFrame(float t);
