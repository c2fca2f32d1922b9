// The show's one pseudo-random generator: 32-bit state from 1, never reseeded, so every run
// draws the same sequence. All draws happen at start-up in a fixed order.
#pragma once
#include <cstdint>

// state = state * 214013 + 2531011 (mod 2^32); returns (state >> 16) & 0x7FFF.
int DemoRandom();

// For tests: the generator back at its initial state.
void ResetDemoRandom();
