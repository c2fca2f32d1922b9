// Dialog-unit conversion: rounds to the nearest pixel.
#include "shell/DialogLayout.h"

#include <cmath>

namespace {
constexpr double kPixelsPerUnitX = 1.5;
constexpr double kPixelsPerUnitY = 1.625;

int ToPixelsX(int units) { return static_cast<int>(std::lround(units * kPixelsPerUnitX)); }
int ToPixelsY(int units) { return static_cast<int>(std::lround(units * kPixelsPerUnitY)); }
}  // namespace

DialogRect DialogUnitsToPixels(DialogRect units) {
  return {ToPixelsX(units.x), ToPixelsY(units.y), ToPixelsX(units.width), ToPixelsY(units.height)};
}

DialogRect ControlPixels(DialogControl control) {
  return DialogUnitsToPixels(kDialogControlUnits[static_cast<int>(control)]);
}
