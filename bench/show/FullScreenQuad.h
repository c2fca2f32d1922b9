// The bench's unit of time: one textured quad over the whole render size, nearest filtering, no
// blending, as the rasteriser of this machine draws it now.
#pragma once

// Makes the quad's texture the size of the current viewport; needs a current GL context.
void CreateFullScreenQuad();
// Median milliseconds of one quad, each sample a few quads and a glFinish. Leaves the GL state as
// it found it but for the bound 2D texture.
double MeasureFullScreenQuadMs();
