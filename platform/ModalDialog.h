// A borderless, centred, always-on-top dialog window that draws Dear ImGui widgets each frame.
// It ignores every close request: only the frame function ends it.
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

// Called once per frame between ImGui's NewFrame and Render, with the picture's GL texture name
// and whether Enter (either one) went down since the previous frame. Returns true when the
// dialog is done.
using DialogFrame = bool (*)(void* user, unsigned pictureTexture, bool enterPressed);

// Runs the dialog until frame returns true, drawing only after input or a change of the window
// (so an idle dialog waits instead of drawing). False if the window could not be made.
bool RunModalDialog(int width, int height, const DialogPicture& picture, const DialogTextFont& font,
                    DialogFrame frame, void* user);
