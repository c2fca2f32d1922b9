// The show's windows are open intervals of demo time.
#pragma once

inline bool Inside(float lower, float t, float upper) { return lower < t && t < upper; }
