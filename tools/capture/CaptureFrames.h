// Frames of the show for the capture forms: the frame layout at a chosen size, a frame drawn
// by offline playback and read back, a frame written as PNG, and the --at form.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "director/OfflinePlayback.h"
#include "tools/capture/CaptureOptions.h"

constexpr int kCaptureWidth = 800;
constexpr int kCaptureHeight = 600;

// A frame of width x height holds the show's 4:3 picture, as large as fits and centred; the
// rest is black bars (none at 4:3 sizes).
struct FrameLayout {
  int width = kCaptureWidth;
  int height = kCaptureHeight;
  int pictureWidth = kCaptureWidth;
  int pictureHeight = kCaptureHeight;
  size_t Bytes() const { return static_cast<size_t>(width) * height * 3; }
};
// The picture as a window shows it (FitPicture).
FrameLayout LayoutFrame(int width, int height);

// Runs the show's start-up at the layout's picture size; needs a current context that large.
void StartCaptureShow(const FrameLayout& layout = FrameLayout{});

// Draws the frame at ms of a continuous run at fps and reads it back (RGB, top row first).
// False, with rgb untouched, when ms lies past the end of the show.
bool RenderCaptureFrame(int ms, int fps, const FrameLayout& layout, std::vector<uint8_t>& rgb);
// The frame at ms of a continuous 60 fps run at 800 x 600.
bool RenderCaptureFrame(int ms, std::vector<uint8_t>& rgb);

// Writes an RGB frame as a PNG file (rgb is borrowed and given back unchanged).
bool WriteCapturePng(const std::string& path, const FrameLayout& layout, std::vector<uint8_t>& rgb,
                     std::string& error);

// The --at form; needs the context and start-up. Returns the process status.
int RunFramesCapture(const CaptureOptions& options, const FrameLayout& layout, std::string& error);
