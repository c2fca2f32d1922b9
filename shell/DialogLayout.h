// The settings dialog's template: its font, its size and controls in dialog units, and their
// conversion to pixels from the font's base units, as the Windows dialog manager does it.
#pragma once

struct DialogRect {
  int x, y, width, height;
};

// Pixels per 4 dialog units across and per 8 down: the template font's average letter width and
// its height (MeasureDialogFont).
struct DialogBaseUnits {
  int x, y;
};

enum class DialogControl { banner, ok, fullScreen, exit, settingsGroup, credit, count };

// The template asks for Verdana at 8 points. Debian has no Verdana; DejaVu Sans descends from
// Bitstream Vera, which was drawn to Verdana's proportions, so it gives nearly the same units.
constexpr const char* kDialogFontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr int kDialogFontPoints = 8;
constexpr int kDialogDotsPerInch = 96;  // the desktop's unscaled resolution

constexpr int kDialogControlCount = static_cast<int>(DialogControl::count);
constexpr DialogRect kDialogUnitsSize = {0, 0, 287, 230};
// In template (tab) order: banner, OK, FullScreen, Exit, the "Settings" group box, the credit line.
constexpr DialogRect kDialogControlUnits[kDialogControlCount] = {
    {0, 0, 287, 113}, {47, 126, 186, 13}, {117, 170, 55, 11},
    {47, 139, 186, 14}, {7, 115, 274, 76}, {53, 158, 184, 8},
};

DialogRect DialogUnitsToPixels(DialogRect units, DialogBaseUnits base);
DialogRect ControlPixels(DialogControl control, DialogBaseUnits base);
