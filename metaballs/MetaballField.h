// The scalar field of twelve moving balls.
#pragma once

// Draws the balls' fixed phases (36 values of the shared generator) and zeroes their positions.
void InitBallPhases();
