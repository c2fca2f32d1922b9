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

// The music position of the frame drawn 1/fps s before one at ms, whose spectrum that frame's
// bands hold; negative when ms is the show's first frame and the bands are still zero.
int BandSourceMs(int ms, int fps = 60);

// Sets the bands a frame reads to the spectrum a frame at ms left behind (zeros for ms < 0).
void LoadBandsOfFrameAt(int ms);

// Draws the frame at ms and reads it back (RGB, top row first). False, with rgb untouched,
// when ms lies past the end of the show. Its bands come from a frame 1/60 s earlier, and the
// last frame of every window passed since the previous one is drawn unseen first, for the state
// those scenes leave.
bool RenderCaptureFrame(int ms, std::vector<uint8_t>& rgb);
// The same with the bands the frame drawn last left: the next frame of a sequence.
bool RenderFollowingFrame(int ms, std::vector<uint8_t>& rgb);

// Writes an 800 x 600 RGB frame as a PNG file (rgb is borrowed and given back unchanged).
bool WriteCapturePng(const std::string& path, std::vector<uint8_t>& rgb, std::string& error);

// The whole tool after parsing: refuses existing outputs, makes the context, runs start-up
// and the chosen form. Returns the process status (0; 1 with a message in error; 130 when
// Ctrl-C ended a sequence early, its file finished); progress and a summary go to stderr.
int RunCapture(const CaptureOptions& options, std::string& error);
