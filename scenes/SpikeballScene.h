// The spike ball's flight, as functions of the demo time in seconds and spectrum band 4.
#pragma once

// The view is pulled back this far; the ball's depth is measured from there.
constexpr float kSpikeballViewDistance = 10;

// Depth of the ball in the view-translated frame: the approach path plus band 4, unscaled.
float SpikeballDepth(float t, float band4);
// Distance of the ball from the eye: 60 at 236 s, 5 at 241 s, 7 from 247 to 249 s, 70 at 250 s.
inline float SpikeballDistance(float t, float band4) {
  return kSpikeballViewDistance - SpikeballDepth(t, band4);
}
