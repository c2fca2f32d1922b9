// The picture zoom's scale, as a function of the demo time in seconds.
#pragma once

// Eases from 7 (at 150 s, before the scene opens) to exactly 1 at 161 s.
float PictureZoomScale(float t);
