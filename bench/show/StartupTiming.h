// Start-up of the show, from process start to the first finished frame, phase by phase.
#pragma once
#include <string>

struct StartupTimes {
  double processToMain = 0;  // exec to main: loading the program and its libraries (10 ms steps)
  double context = 0;        // offscreen GL context and viewport
  double textures = 0;
  double models = 0;
  double tables = 0;
  double glState = 0;  // shared state, font lists, quadric, ball phases, render textures
  double music = 0;    // opening the track (offline clock) and the spectrum
  double firstFrame = 0;
  double total = 0;  // process start to the first frame finished
};

// Seconds since this process started, from the kernel's start time (clock-tick resolution).
double SecondsSinceProcessStart();

// Runs the show's start-up in its own order on a new offscreen context and draws the first
// frame at ms. False, with a message, when no context can be made.
struct HeadlessGl;
bool TimeStartup(HeadlessGl& gl, int firstFrameMs, StartupTimes& times, std::string& error);
