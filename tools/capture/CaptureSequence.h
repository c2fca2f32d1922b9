// Every frame of a span of the show at a fixed frame rate, as video or numbered PNG files.
// Frame k shows demo time from + k / fps (rounded to the ms, as the music clock counts); its
// bands are those the frame before it left, and the tunnel's points move once per frame.
#pragma once
#include <cstdint>
#include <string>

#include "tools/capture/CaptureOptions.h"

// Frames in [fromMs, toMs): ceil((to - from) x fps / 1000).
int64_t SequenceFrameCount(const CaptureOptions& options);
int SequenceFrameMs(const CaptureOptions& options, int64_t frame);
// The music sample at which frame k begins (k = the frame count gives the end of the audio).
int64_t SequenceFrameSample(const CaptureOptions& options, int64_t frame);

// Needs the context and start-up; returns the process status as RunCapture does.
int RunSequenceCapture(const CaptureOptions& options, std::string& error);
