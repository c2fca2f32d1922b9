// The floor of a frame: the fill work the rasteriser cannot avoid for the frame at demo time t,
// that is the clear and the frame's own passes over the whole picture (the glow's copies and
// passes, the fades, scanlines and bars) on an empty picture, with no scene or captions.
#pragma once

void DrawFloorFrame(float t);
