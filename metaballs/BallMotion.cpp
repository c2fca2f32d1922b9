// The balls' fixed phases, drawn at start-up, and their closed-form motion in demo time.
#include <cmath>

#include "director/DemoRandom.h"
#include "metaballs/MetaballField.h"

void InitBallPhases() {
  for (int32_t i = 0; i < kBallCount; ++i) {
    BallPositions[i] = {0, 0, 0};
    const int r1 = DemoRandom();
    const int r2 = DemoRandom();
    const int r3 = DemoRandom();
    // The first draw feeds z and the last feeds x.
    BallPhases[i] = {r3 % 2 - 3, r2 % 2 - 2, r1 % 6 - 3};
  }
}

void UpdateBallPositions(float t) {
  const double time = t;
  for (int32_t i = 0; i < kBallCount; ++i) {
    const GridPoint& phase = BallPhases[i];
    const double index = i;
    const double wobble = std::sin(static_cast<double>(static_cast<float>(i) - t));
    BallPositions[i] = {
        static_cast<int32_t>(60.0 * std::sin(0.25 * time - index + phase.x)),
        static_cast<int32_t>(40.0 * std::cos(0.5 * time + index + phase.y)),
        static_cast<int32_t>(50.0 * std::cos(4.0 * wobble + 0.25 * time + index + phase.z)),
    };
  }
}
