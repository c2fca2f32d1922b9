// The show played offline, frame by chosen frame: any frame comes out exactly as a continuous
// run from 0 s at a fixed frame rate draws it, however the frames before it were skipped.
#pragma once
#include <cstdint>

#include "render/PassMode.h"

// Frame k of a run at fps is drawn at the music position k / fps s, rounded half up to the ms
// (the music clock counts whole ms).
int RateFrameMs(int64_t frame, int fps);
// The first frame of such a run at or after ms.
int64_t FirstRateFrameFrom(int ms, int fps);
// The position of the frame drawn before the one at ms; -1 when ms is the run's first.
int PreviousFrameMs(int ms, int fps);

// Sets the render size (4:3), the viewport and the offline clock and runs the show's start-up;
// needs a current context of at least that size.
void StartOfflineShow(int width, int height);

// Draws the frame at ms of a continuous run at fps; false, the frame unfinished, past the end
// of the show. A frame that follows the one drawn last at the same rate simply continues the
// run. Any other first replays what the frames in between leave behind, without drawing them
// all: the last frame of every window passed since the frame drawn last and the frame just
// before are drawn unseen (for the GL state scenes leave and the bands), and the tunnel's point
// table is swayed once per frame of the run since the tunnel began, on the CPU. Frames are
// cheapest in ascending order; a step back replays the windows from the start of the show.
bool DrawOfflineFrame(int ms, int fps);

// The pass mode of every frame the playback draws, seen or unseen (shortcuts unless set), so a
// whole run can be drawn as written and held against the same run with the shortcuts.
void SetOfflinePassMode(PassMode mode);

// The spectrum bands the frame at ms leaves behind (zeros for ms < 0), for the frame after it.
void LoadBandsOfFrameAt(int ms);
// The position of the frame 1/fps s before ms, rounded; negative before the first frame.
int BandSourceMs(int ms, int fps = 60);
