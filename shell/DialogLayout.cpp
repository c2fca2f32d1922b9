// Dialog-unit conversion: each coordinate scaled and rounded to the nearest pixel on its own.
#include "shell/DialogLayout.h"

namespace {
// value * numerator / denominator rounded half away from zero, for the non-negative values here.
int ScaleRounded(int value, int numerator, int denominator) {
  return (value * numerator + denominator / 2) / denominator;
}
int ToPixelsX(int units, DialogBaseUnits base) { return ScaleRounded(units, base.x, 4); }
int ToPixelsY(int units, DialogBaseUnits base) { return ScaleRounded(units, base.y, 8); }
}  // namespace

DialogRect DialogUnitsToPixels(DialogRect units, DialogBaseUnits base) {
  return {ToPixelsX(units.x, base), ToPixelsY(units.y, base), ToPixelsX(units.width, base),
          ToPixelsY(units.height, base)};
}

DialogRect ControlPixels(DialogControl control, DialogBaseUnits base) {
  return DialogUnitsToPixels(kDialogControlUnits[static_cast<int>(control)], base);
}
