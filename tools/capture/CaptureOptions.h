// The capture tool's command line, parsed without side effects.
//
//   vexilograph-capture --at T1,T2,... --out DIR
//   vexilograph-capture --video FILE.mp4 [--from S] [--to S] [--fps N] [--crf N] [--scale K]
//                       [--smooth] [--preset NAME] [--no-sound]
//   vexilograph-capture --png-dir DIR [--from S] [--to S] [--fps N]
//   vexilograph-capture --contact-sheet FILE.png --every S [--columns N]
//   vexilograph-capture --wav FILE.wav [--from S] [--to S] [--fps N]
//   picture forms: [--size WxH]; sequences: [--jobs N]; any form: [--force] [--no-pipeline]
//
// Times are demo times in seconds (digits with an optional fraction), kept as whole ms.
#pragma once
#include <string>
#include <vector>

#include "director/Timeline.h"

enum class CaptureForm { frames, video, pngSequence, contactSheet, sound };

struct CaptureOptions {
  CaptureForm form = CaptureForm::frames;
  std::vector<int> framesMs;  // --at: ascending, no repeats
  std::string outDir;         // --out or --png-dir
  std::string outFile;        // --video, --contact-sheet or --wav
  int fromMs = 0;             // sequences cover [fromMs, toMs)
  int toMs = kShowEndMs;
  int fps = 60;
  int crf = 18;
  int scale = 1;
  int width = 800;  // --size: the frame; the show's 4:3 picture is rendered as large as fits
  int height = 600;
  bool smooth = false;
  bool sound = true;  // --no-sound: pictures only, for parts joined under one sound track
  std::string preset = "veryfast";
  int everyMs = 0;  // contact sheet: one thumbnail per everyMs from 0 to the end
  int columns = 6;
  bool force = false;      // replace existing outputs
  bool pipelined = true;   // render and encode on two threads at once
  int jobs = 1;            // sequences: render processes (--jobs; by default the cores, 1 in turn)
};

enum class CaptureParse { run, help, usageError };

struct CaptureParseResult {
  CaptureParse status = CaptureParse::usageError;
  CaptureOptions options;
  std::string error;  // for usageError: what was wrong
};

// args without the program name. Accepts "--opt value" and "--opt=value".
CaptureParseResult ParseCaptureArguments(const std::vector<std::string>& args);

// Demo time text to whole milliseconds, rounded half up; false for anything but plain decimals
// in range.
bool ParseDemoTimeMs(const std::string& text, int& ms);

const char* CaptureUsage();
