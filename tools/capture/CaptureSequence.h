// Every frame of a span of the show at a fixed frame rate, as video or numbered PNG files: the
// frames of a continuous run from 0 s at that rate that fall in [from, to), so spans cut at
// frame boundaries join into the run itself.
#pragma once
#include <cstdint>
#include <string>

#include "tools/capture/CaptureFrames.h"
#include "tools/capture/CaptureOptions.h"

// The run's frames in [fromMs, toMs).
int64_t SequenceFrameCount(const CaptureOptions& options);
// The music position of the sequence's frame k.
int SequenceFrameMs(const CaptureOptions& options, int64_t frame);
// The music sample at which frame k begins: the run's frame n at exactly n / fps s (k = the
// frame count gives the end of the audio).
int64_t SequenceFrameSample(const CaptureOptions& options, int64_t frame);

// Needs the context and start-up; returns the process status as RunCapture does.
int RunSequenceCapture(const CaptureOptions& options, const FrameLayout& layout, std::string& error);
