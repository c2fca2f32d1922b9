// A borderless, centred, always-on-top dialog window of a fixed size (so tiling desktops float it)
// that draws Dear ImGui widgets each frame, sharp on HiDPI outputs. It ignores every close
// request: only the frame function ends it.
#pragma once

struct DialogPicture {
  const unsigned char* rgb;  // 24-bit, top row first
  int width;
  int height;
};

struct DialogTextFont {
  const char* path;  // a TrueType file, or null for the renderer's built-in font
  float cellPixels;  // ascender to descender
};

// The dialog manager's keys that went down since the previous frame, read from the events
// themselves (a press and release in one batch of events may both reach the widgets in the same
// frame, and then they see no press at all).
struct DialogKeys {
  bool enter = false;    // either Enter
  bool tab = false;      // Tab without Shift
  bool backTab = false;  // Shift+Tab
  bool space = false;
};

// Called once per frame between ImGui's NewFrame and Render, with the picture's GL texture name
// and the keys. Returns true when the dialog is done.
using DialogFrame = bool (*)(void* user, unsigned pictureTexture, const DialogKeys& keys);

// Runs the dialog until frame returns true, drawing only after input or a change of the window
// (so an idle dialog waits instead of drawing). False if the window could not be made. display
// is set to the screen the dialog was on.
bool RunModalDialog(int width, int height, const DialogPicture& picture, const DialogTextFont& font,
                    DialogFrame frame, void* user, int& display);
