// One PNG of the whole show at a glance: thumbnails every S seconds in a grid, each labelled
// with its demo time underneath.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/PngImage.h"
#include "tools/capture/CaptureFrames.h"
#include "tools/capture/CaptureOptions.h"

struct SheetLayout {
  int count = 0;  // thumbnails
  int columns = 0;
  int rows = 0;
  int width = 0;
  int height = 0;
};

constexpr int kThumbWidth = 160;
constexpr int kThumbHeight = 120;
constexpr int kSheetGap = 8;      // around and between the cells
constexpr int kLabelHeight = 18;  // under each thumbnail

// Demo times 0, every, 2 x every, ... up to the show's last frame.
std::vector<int> ContactSheetTimesMs(int everyMs);
SheetLayout LayoutContactSheet(int count, int columns);
// Top-left corner of cell i's thumbnail.
void ThumbnailOrigin(const SheetLayout& layout, int cell, int& x, int& y);
// "m:ss", with the fraction when there is one ("2:41.5").
std::string SheetTimeLabel(int ms);

// Needs the context and start-up; returns the process status as RunCapture does.
// Thumbnails are shrunk from the picture at the layout's size, without its bars.
int RunContactSheet(const CaptureOptions& options, const FrameLayout& layout, std::string& error);
