// The director's frame: demo time from the music, the scene of its window, captions, glow, layers.
#pragma once

// Draws one frame. Returns false, without finishing the frame, once the demo time passes 282 s:
// the show is over and the caller ends it.
bool DrawTimeline();

// 0 below a (or when x is not a number), 1 from b on, (x - a) / (b - a) between.
float Ramp(float a, float b, float x);
