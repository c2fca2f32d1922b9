// The settings dialog's template: its size and controls in dialog units, and their conversion to
// pixels (a dialog unit taken as 1.5 px across and 1.625 px down).
#pragma once

struct DialogRect {
  int x, y, width, height;
};

enum class DialogControl { banner, ok, fullScreen, exit, settingsGroup, credit, count };

constexpr int kDialogControlCount = static_cast<int>(DialogControl::count);
constexpr DialogRect kDialogUnitsSize = {0, 0, 287, 230};
// In template (tab) order: banner, OK, FullScreen, Exit, the "Settings" group box, the credit line.
constexpr DialogRect kDialogControlUnits[kDialogControlCount] = {
    {0, 0, 287, 113}, {47, 126, 186, 13}, {117, 170, 55, 11},
    {47, 139, 186, 14}, {7, 115, 274, 76}, {53, 158, 184, 8},
};

DialogRect DialogUnitsToPixels(DialogRect units);
DialogRect ControlPixels(DialogControl control);
