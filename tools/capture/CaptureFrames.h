// Headless frames of the show: start-up on the offline clock, then single frames on demand.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tools/capture/CaptureOptions.h"

constexpr int kCaptureWidth = 800;
constexpr int kCaptureHeight = 600;

// Selects the offline clock and runs the show's start-up; needs a current 800 x 600 context.
void StartCaptureShow();

// The music position of the frame drawn 1/60 s before one at ms, whose spectrum that frame's
// bands hold; negative when ms is the show's first frame and the bands are still zero.
int BandSourceMs(int ms);
// Fills the spectrum bands as the frame before the one at ms left them; moves the offline clock.
void LoadBandsOfEarlierFrame(int ms);

// Draws the frame at ms and reads it back (RGB, top row first). False, with rgb untouched,
// when ms lies past the end of the show.
bool RenderCaptureFrame(int ms, std::vector<uint8_t>& rgb);

// The whole tool after parsing: context, start-up, frames in order, PNG files. Returns the
// process status (0, or 1 with a message in error); progress notes go to stderr.
int RunCapture(const CaptureOptions& options, std::string& error);
