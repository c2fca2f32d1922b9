// The settings dialog: a banner, OK, a FullScreen check box and Exit.
#pragma once
#include "shell/AppWindow.h"

// Runs the dialog modally. OK (or Enter) returns, with window.fullScreen set to 0 unless the box
// was checked; Exit ends the process with status 0. False if the dialog could not be shown.
bool RunSettingsDialog(AppWindow& window);
